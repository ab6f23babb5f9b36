#include "ui/journal/frmjournal.h"

#include "core/journal/journal.h"
#include "core/platform/maker.h"
#include "core/platform/platform.h"
#include "core/session/session.h"
#include "ui/journal/journalmodel.h"
#include "ui/journal/readingsheet.h"
#include "ui/shell/shell.h"
#include "ui/widgets/twipsplacement.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kesto {

frmJournal::frmJournal(Shell &shell, QWidget *parent) : QWidget(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("frmJournal"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Reading Journal"));
    setFont(QFont(QStringLiteral("Verdana"), 8));

    auto *filterLabel = new QLabel(QStringLiteral("&Find:"), this);
    txtFilter = new QLineEdit(this);
    txtFilter->setObjectName(QStringLiteral("txtFilter"));
    txtFilter->setPlaceholderText(QStringLiteral("querent, question, spread, card or note"));
    txtFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(txtFilter);

    m_model = new JournalListModel(this);
    m_filter = new JournalFilterModel(this);
    m_filter->setSourceModel(m_model);

    lstReadings = new QTreeView(this);
    lstReadings->setObjectName(QStringLiteral("lstReadings"));
    lstReadings->setModel(m_filter);
    lstReadings->setRootIsDecorated(false);
    lstReadings->setUniformRowHeights(true);
    lstReadings->setItemsExpandable(false);
    lstReadings->setAllColumnsShowFocus(true);
    lstReadings->setSelectionMode(QAbstractItemView::SingleSelection);
    lstReadings->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstReadings->header()->setStretchLastSection(false);
    lstReadings->header()->setSectionResizeMode(JournalListModel::QuestionColumn, QHeaderView::Stretch);
    lstReadings->setColumnWidth(JournalListModel::DateColumn, 130);
    lstReadings->setColumnWidth(JournalListModel::QuerentColumn, 130);
    lstReadings->setColumnWidth(JournalListModel::SpreadColumn, 170);
    lstReadings->setColumnWidth(JournalListModel::ReversedColumn, 70);
    lstReadings->installEventFilter(this);
    txtFilter->installEventFilter(this);

    lblNote = new QLabel(QStringLiteral("&Note (saved as you type):"), this);
    txtNote = new QPlainTextEdit(this);
    txtNote->setObjectName(QStringLiteral("txtNote"));
    txtNote->setTabChangesFocus(true);
    txtNote->setMaximumHeight(90);
    lblNote->setBuddy(txtNote);

    chkKeep = new QCheckBox(QStringLiteral("&Keep every finished reading in the journal"), this);
    chkKeep->setObjectName(QStringLiteral("chkKeep"));
    chkKeep->setChecked(m_shell.session().journal.keeping());

    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setWordWrap(true);

    cmdOpen = new QPushButton(QStringLiteral("&Open"), this);
    cmdOpen->setObjectName(QStringLiteral("cmdOpen"));
    cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdPrint = new QPushButton(QStringLiteral("&Print..."), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPdf = new QPushButton(QStringLiteral("E&xport as PDF..."), this);
    cmdPdf->setObjectName(QStringLiteral("cmdPdf"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(txtFilter, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addWidget(chkKeep);
    m_buttons->addStretch(1);
    m_buttons->addWidget(cmdOpen);
    m_buttons->addWidget(cmdDelete);
    m_buttons->addWidget(cmdPrint);
    m_buttons->addWidget(cmdPdf);
    m_buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(lstReadings, 1);
    layout->addWidget(lblNote);
    layout->addWidget(txtNote);
    layout->addWidget(lblStatus);
    layout->addLayout(m_buttons);

    connect(txtFilter, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_filter->setFilterWords(text);
        if (!lstReadings->currentIndex().isValid() && m_filter->rowCount() > 0)
            lstReadings->setCurrentIndex(m_filter->index(0, 0));
        showSelectedNote();
        updateCommands();
    });
    connect(lstReadings->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        showSelectedNote();
        updateCommands();
    });
    connect(lstReadings, &QTreeView::doubleClicked, this, &frmJournal::cmdOpen_Click);
    connect(txtNote, &QPlainTextEdit::textChanged, this, &frmJournal::saveNote);
    connect(chkKeep, &QCheckBox::toggled, this, [this](bool on) { m_shell.session().journal.setKeeping(on); });
    connect(cmdOpen, &QPushButton::clicked, this, &frmJournal::cmdOpen_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmJournal::cmdDelete_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmJournal::cmdPrint_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &frmJournal::cmdPdf_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    setTabOrder(txtFilter, lstReadings);
    setTabOrder(lstReadings, txtNote);
    setTabOrder(txtNote, chkKeep);
    setTabOrder(chkKeep, cmdOpen);
    setTabOrder(cmdOpen, cmdDelete);
    setTabOrder(cmdDelete, cmdPrint);
    setTabOrder(cmdPrint, cmdPdf);
    setTabOrder(cmdPdf, cmdClose);

    resize(820, 520);
    reload();
}

frmJournal::~frmJournal() = default;

JournalStore *frmJournal::store() { return m_shell.session().journal.store(); }

void frmJournal::reload()
{
    const qint64 keep = selectedId();
    JournalStore *journal = store();
    m_model->setReadings(journal ? journal->list() : QList<JournalSummary>());
    if (keep)
        selectReading(keep);
    if (!lstReadings->currentIndex().isValid() && m_filter->rowCount() > 0)
        lstReadings->setCurrentIndex(m_filter->index(0, 0));
    showSelectedNote();
    updateCommands();
    updateStatus();
    tellTrouble();
}

qint64 frmJournal::selectedId() const
{
    const QModelIndex current = lstReadings->currentIndex();
    return current.isValid() ? current.data(JournalListModel::IdRole).toLongLong() : 0;
}

void frmJournal::selectReading(qint64 id)
{
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const QModelIndex index = m_filter->mapFromSource(m_model->index(row, 0));
    if (index.isValid())
        lstReadings->setCurrentIndex(index);
}

void frmJournal::showSelectedNote()
{
    const qint64 id = selectedId();
    if (id == m_noteId && id != 0)
        return;
    m_noteId = id;
    const JournalSummary *r = m_model->summary(m_model->rowOf(id));
    m_loadingNote = true;
    txtNote->setPlainText(r ? r->note : QString());
    m_loadingNote = false;
    JournalStore *journal = store();
    txtNote->setEnabled(r != nullptr);
    txtNote->setReadOnly(!journal || journal->isReadOnly());
}

void frmJournal::saveNote()
{
    if (m_loadingNote || m_noteId == 0)
        return;
    JournalStore *journal = store();
    const QString note = txtNote->toPlainText();
    if (journal && journal->setNote(m_noteId, note))
        m_model->setNote(m_model->rowOf(m_noteId), note);
    tellTrouble();
}

void frmJournal::updateCommands()
{
    JournalStore *journal = store();
    const bool selected = selectedId() != 0;
    cmdOpen->setEnabled(selected);
    cmdPrint->setEnabled(selected);
    cmdPdf->setEnabled(selected);
    cmdDelete->setEnabled(selected && journal && !journal->isReadOnly());
}

void frmJournal::updateStatus()
{
    JournalStore *journal = store();
    QString status;
    if (!journal || !journal->isOpen())
        status = QStringLiteral("The journal cannot be read now.");
    else if (journal->isReadOnly())
        status = QStringLiteral("This journal can be read but not changed.");
    else
        status = QStringLiteral("%1 readings kept in %2").arg(m_model->rowCount()).arg(journal->path());
    lblStatus->setText(status);
}

void frmJournal::tellTrouble()
{
    const QString message = m_shell.session().journal.takeMessage();
    if (!message.isEmpty())
        m_shell.platform().message(message, MessageIcon::Information);
}

void frmJournal::cmdOpen_Click()
{
    const qint64 id = selectedId();
    if (id != 0)
        m_shell.reopenReading(id);
}

void frmJournal::cmdPrint_Click()
{
    JournalStore *journal = store();
    if (const auto reading = journal ? journal->reading(selectedId()) : std::nullopt)
        PrintReadingWithPreview(this, m_shell.platform(), *reading);
    tellTrouble();
}

void frmJournal::cmdPdf_Click()
{
    JournalStore *journal = store();
    if (const auto reading = journal ? journal->reading(selectedId()) : std::nullopt)
        ExportReadingPdfAsked(this, m_shell.platform(), *reading);
    tellTrouble();
}

void frmJournal::cmdDelete_Click()
{
    const qint64 id = selectedId();
    JournalStore *journal = store();
    const int row = m_model->rowOf(id);
    const JournalSummary *r = m_model->summary(row);
    if (!journal || !r || journal->isReadOnly())
        return;
    const QString question = QStringLiteral("Delete the reading of %1 kept on %2?")
                                 .arg(OneLine(r->name).isEmpty() ? QStringLiteral("no name") : OneLine(r->name),
                                      QLocale().toString(r->keptAt.toLocalTime(), QLocale::ShortFormat));
    if (m_shell.platform().message(question, MessageIcon::Information, MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const int shownRow = lstReadings->currentIndex().row();
    if (journal->remove(id)) {
        m_noteId = 0;
        m_model->removeReading(row);
        const int next = std::min(shownRow, m_filter->rowCount() - 1);
        if (next >= 0)
            lstReadings->setCurrentIndex(m_filter->index(next, 0));
        showSelectedNote();
        updateCommands();
        updateStatus();
    }
    tellTrouble();
}

bool frmJournal::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == lstReadings) {
            if (enter) {
                cmdOpen_Click();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                cmdDelete_Click();
                return true;
            }
        } else if (watched == txtFilter) {
            if (enter) {
                cmdOpen_Click();
                return true;
            }
            if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up || key->key() == Qt::Key_PageDown
                || key->key() == Qt::Key_PageUp) {
                // The arrows move through the list while the filter keeps the keyboard.
                QCoreApplication::sendEvent(lstReadings, event);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kesto
