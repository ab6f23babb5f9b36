#pragma once
#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeView;

namespace kesto {

class JournalFilterModel;
class JournalListModel;
class JournalStore;
class Shell;

// The reading journal: every kept reading, newest first, a filter that narrows the list as
// the user types, the selected reading's note (saved as it is typed), and whether finished
// readings are kept. Enter (or Open) shows the reading again in the main window; Delete asks
// first. The window is no step of a reading: closing it only closes it.
class frmJournal : public QWidget
{
    Q_OBJECT
public:
    explicit frmJournal(Shell &shell, QWidget *parent = nullptr);
    ~frmJournal() override;

    // Fills the list from the journal file.
    void reload();
    // The id of the reading selected in the list, 0 when none is.
    qint64 selectedId() const;
    // Selects a reading by id, if the list shows it.
    void selectReading(qint64 id);

    void cmdOpen_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void cmdPdf_Click();

    QLineEdit *txtFilter = nullptr;
    QTreeView *lstReadings = nullptr;
    QLabel *lblNote = nullptr;
    QPlainTextEdit *txtNote = nullptr;
    QCheckBox *chkKeep = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdOpen = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdPdf = nullptr;
    QPushButton *cmdClose = nullptr;

    JournalListModel *model() const { return m_model; }
    JournalFilterModel *filter() const { return m_filter; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    JournalStore *store();
    // The selected reading's note into the note box, without saving it back.
    void showSelectedNote();
    void saveNote();
    void updateCommands();
    void updateStatus();
    // Tells the journal's trouble, the first time this run meets it.
    void tellTrouble();

    Shell &m_shell;
    JournalListModel *m_model = nullptr;
    JournalFilterModel *m_filter = nullptr;
    QHBoxLayout *m_buttons = nullptr;
    qint64 m_noteId = 0;
    bool m_loadingNote = false;
};

} // namespace kesto
