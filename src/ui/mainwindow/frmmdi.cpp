#include "ui/mainwindow/frmmdi.h"

#include "ui/mainwindow/moddict.h"
#include "ui/mainwindow/modrtbautourldetect.h"
#include "ui/mainwindow/texteditrichtext.h"
#include "core/platform/platform.h"
#include "core/session/session.h"
#include "core/platform/twips.h"
#include "core/reading/report.h"
#include "core/journal/reportdocument.h"
#include "ui/widgets/linklabel.h"
#include "ui/widgets/twipsplacement.h"
#include "ui/widgets/actions.h"
#include "ui/widgets/makermenus.h"
#include "core/platform/maker.h"
#include "ui/shell/shell.h"
#include "ui/web/frmabout.h"
#include "ui/journal/readingsheet.h"
#include "ui/web/mdibrowserhost.h"
#include "core/online/modhelp.h"
#include "ui/web/webwindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>
#include <initializer_list>

namespace kesto {

namespace {

int tw(int pixels) { return pixelsToTwips(pixels); }

// A panel docked to one edge of the frame, filled with the window colour. Its controls are
// placed by hand, so it reports its own design size as the size it prefers.
class DockPanel : public QWidget
{
public:
    DockPanel(QSize designSize, QWidget *parent) : QWidget(parent), m_designSize(designSize) {}
    QSize sizeHint() const override { return m_designSize; }
    void setDesignHeight(int pixels)
    {
        if (m_designSize.height() != pixels) {
            m_designSize.setHeight(pixels);
            updateGeometry();
        }
    }

private:
    QSize m_designSize;
};

QWidget *makePanel(const QString &name, int widthTwips, int heightTwips, QWidget *parent)
{
    auto *panel = new DockPanel(QSize(px(parent, widthTwips), px(parent, heightTwips)), parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    return panel;
}

// Runs each step on its own: a step that cannot be applied reports false and is skipped.
void runSteps(std::initializer_list<std::function<bool()>> steps)
{
    for (const auto &step : steps)
        (void)step();
}

} // namespace

frmMDI::frmMDI(Shell &shell, QWidget *parent) : QMainWindow(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("frmMDI"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(maker::windowTitle());
    setFont(QFont(QStringLiteral("Verdana"), 8));
    // The panels are part of the frame, not movable tool windows: no toggling menu.
    setContextMenuPolicy(Qt::NoContextMenu);

    buildPanels();
    buildMenus();
    m_browserHost = std::make_unique<MdiBrowserHost>(*this);
    m_webWindows = std::make_unique<WebWindows>(m_shell.session(), *m_browserHost);
    connectDictionaryHandlers();

    // F6 moves the keyboard between the windows of the client area (a web page keeps Tab
    // for itself) and the frame's panels.
    auto *switchPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    switchPane->setContext(Qt::WindowShortcut);
    connect(switchPane, &QShortcut::activated, this, &frmMDI::switchKeyboardPane);

    resize(px(this, kDesignWidth), px(this, kDesignHeight));
    MDIForm_Resize();
}

void frmMDI::switchKeyboardPane()
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && mdiArea->isAncestorOf(focus)) {
        for (QWidget *panelControl :
             {static_cast<QWidget *>(txtKey), static_cast<QWidget *>(rtbDisp1), static_cast<QWidget *>(cmdExit)}) {
            if (panelControl->isVisible() && panelControl->isEnabled()) {
                panelControl->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
        return;
    }
    QMdiSubWindow *window = mdiArea->activeSubWindow();
    if (!window && !mdiArea->subWindowList().isEmpty())
        window = mdiArea->subWindowList().first();
    if (!window || !window->widget())
        return;
    mdiArea->setActiveSubWindow(window);
    QWidget *inner = window->widget();
    // The first control of the window that takes focus, or the window itself.
    QWidget *target = inner->focusWidget();
    for (QWidget *next = inner->nextInFocusChain(); !target && next && next != inner; next = next->nextInFocusChain()) {
        if (inner->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled())
            target = next;
    }
    (target ? target : inner)->setFocus(Qt::OtherFocusReason);
}

frmMDI::~frmMDI() = default;

void frmMDI::buildPanels()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("frameClient"));
    setCentralWidget(client);

    mdiArea = new QMdiArea(client);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea->viewport()->installEventFilter(this);

    // TB: the dictionary browser's toolbar.
    TB = new QToolBar(client);
    TB->setObjectName(QStringLiteral("TB"));
    TB->setMovable(false);
    TB->setFloatable(false);
    TB->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    TB->setIconSize(QSize(px(this, 300), px(this, 300)));
    TB->setFixedHeight(px(this, 540));
    struct ToolButton
    {
        const char16_t *key;
        const char *theme;
        QStyle::StandardPixmap fallback;
    };
    const ToolButton buttons[] = {
        {u"Back", "go-previous", QStyle::SP_ArrowBack},    {u"Forward", "go-next", QStyle::SP_ArrowForward},
        {u"Stop", "process-stop", QStyle::SP_BrowserStop}, {u"Refresh", "view-refresh", QStyle::SP_BrowserReload},
        {u"Home", "go-home", QStyle::SP_DirHomeIcon},      {u"Search", "edit-find", QStyle::SP_FileDialogContentsView},
    };
    for (const ToolButton &b : buttons) {
        const QString key = QString::fromUtf16(b.key);
        const QIcon icon = QIcon::fromTheme(QLatin1String(b.theme), style()->standardIcon(b.fallback));
        QAction *action = TB->addAction(icon, key);
        action->setObjectName(QStringLiteral("TB_") + key);
        action->setData(key);
        if (QWidget *button = TB->widgetForAction(action)) {
            button->setAccessibleName(key);
            button->setAccessibleDescription(QStringLiteral("Dictionary browser: ") + key);
        }
    }
    connect(TB, &QToolBar::actionTriggered, this, &frmMDI::TB_ButtonClick);

    // picTop2: the notice strip.
    picTop2 = makePanel(QStringLiteral("picTop2"), kDesignWidth, 645, client);
    picTop2->setFixedHeight(px(this, 645));
    {
        QPalette pal = picTop2->palette();
        pal.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xDC));
        picTop2->setPalette(pal);
    }
    lblNotice = new QLabel(QStringLiteral("Kesto is free and is kept going by the people who use it. "
                                          "If it has helped you, please consider a small donation."),
                           picTop2);
    lblNotice->setObjectName(QStringLiteral("lblNotice"));
    lblNotice->setFont(QFont(QStringLiteral("Verdana"), 8, QFont::Bold));
    lblNotice->setWordWrap(true);
    place(lblNotice, 120, 90, 9600, 465);
    cmdDonate1 = new QPushButton(QStringLiteral("&Donate"), picTop2);
    cmdDonate1->setObjectName(QStringLiteral("cmdDonate1"));
    place(cmdDonate1, 9840, 120, 1215, 405);
    connect(cmdDonate1, &QPushButton::clicked, this, &frmMDI::cmdDonate1_Click);

    // picTop: the querent, read-only.
    picTop = makePanel(QStringLiteral("picTop"), kDesignWidth, 915, client);
    picTop->setFixedHeight(px(this, 915));
    const QFont verdana(QStringLiteral("Verdana"), 8);
    auto field = [&](QLabel *&label, const QString &labelName, const QString &caption, QLineEdit *&box,
                     const QString &boxName, int left, int top, int labelWidth, int boxWidth) {
        label = new QLabel(caption, picTop);
        label->setObjectName(labelName);
        label->setFont(verdana);
        place(label, left, top + 30, labelWidth, 255);
        box = new QLineEdit(picTop);
        box->setObjectName(boxName);
        box->setFont(verdana);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        place(box, left + labelWidth, top, boxWidth, 315);
        // The caption names the field for a screen reader too.
        label->setBuddy(box);
    };
    field(lblName, QStringLiteral("lblName"), QStringLiteral("Name"), txtName, QStringLiteral("txtName"), 120, 60, 1320,
          2160);
    field(lblDOB, QStringLiteral("lblDOB"), QStringLiteral("Date of Birth"), txtDOB, QStringLiteral("txtDOB"), 120, 480,
          1320, 2160);
    field(lblCountry, QStringLiteral("lblCountry"), QStringLiteral("Country"), txtCountry, QStringLiteral("txtCountry"),
          3720, 60, 840, 1920);
    lblQ = new QLabel(QStringLiteral("Question"), picTop);
    lblQ->setObjectName(QStringLiteral("lblQ"));
    lblQ->setFont(verdana);
    place(lblQ, 6600, 90, 900, 255);
    txtQ = new QPlainTextEdit(picTop);
    txtQ->setObjectName(QStringLiteral("txtQ"));
    txtQ->setFont(verdana);
    txtQ->setReadOnly(true);
    txtQ->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtQ->setFocusPolicy(Qt::ClickFocus);
    place(txtQ, 7500, 60, 7485, 795);
    lblQ->setBuddy(txtQ);

    // picLeft: the keyword search.
    picLeft = makePanel(QStringLiteral("picLeft"), 2925, 8820, client);
    picLeft->setFixedWidth(px(this, 2925));
    optWildCard = new QRadioButton(QStringLiteral("Use WildCard (*)"), picLeft);
    optWildCard->setObjectName(QStringLiteral("optWildCard"));
    place(optWildCard, 60, 120, 2805, 285);
    optExact = new QRadioButton(QStringLiteral("Exact Search"), picLeft);
    optExact->setObjectName(QStringLiteral("optExact"));
    place(optExact, 60, 420, 2805, 285);
    optExact->setChecked(true);
    optGoogle = new QRadioButton(QStringLiteral("Google Search"), picLeft);
    optGoogle->setObjectName(QStringLiteral("optGoogle"));
    place(optGoogle, 60, 720, 2805, 285);
    Label5 = new QLabel(QStringLiteral("Type in the Key&word to find:"), picLeft);
    Label5->setObjectName(QStringLiteral("Label5"));
    place(Label5, 60, 1080, 2805, 255);
    txtKey = new QLineEdit(picLeft);
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setFont(verdana);
    place(txtKey, 0, 1365, 2850, 315);
    Label5->setBuddy(txtKey);
    cmdSearch = new QPushButton(QStringLiteral("&Search"), picLeft);
    cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    place(cmdSearch, 0, 1740, 2875, 375);
    lstKeys = new QTreeWidget(picLeft);
    lstKeys->setObjectName(QStringLiteral("lstKeys"));
    lstKeys->setColumnCount(1);
    lstKeys->setHeaderLabels({QStringLiteral("Keywords")});
    lstKeys->setRootIsDecorated(false);
    lstKeys->setUniformRowHeights(true);
    lstKeys->setSelectionMode(QAbstractItemView::SingleSelection);
    lstKeys->header()->setSectionsMovable(false);
    lstKeys->header()->setStretchLastSection(false);
    place(lstKeys, 0, 2220, 2875, 6100);
    cmdDisplay = new QPushButton(QStringLiteral("&Display"), picLeft);
    cmdDisplay->setObjectName(QStringLiteral("cmdDisplay"));
    place(cmdDisplay, 0, 8320, 2875, 500);

    // picRight: the reading display.
    picRight = makePanel(QStringLiteral("picRight"), 3735, 8875, client);
    picRight->setFixedWidth(px(this, 3735));
    rtbDisp1 = new QTextEdit(picRight);
    rtbDisp1->setAccessibleName(QStringLiteral("Reading"));
    rtbDisp1->setAccessibleDescription(
        QStringLiteral("The reading report: the spread, then every position with its card"));
    rtbDisp1->setObjectName(QStringLiteral("rtbDisp1"));
    rtbDisp1->setReadOnly(true);
    rtbDisp1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                      | Qt::LinksAccessibleByMouse);
    {
        QFont displayFont(QStringLiteral("Verdana"));
        displayFont.setPointSizeF(8.5);
        rtbDisp1->document()->setDefaultFont(displayFont);
        rtbDisp1->setPlainText(QStringLiteral("RichTextBox1"));
    }
    place(rtbDisp1, 0, 0, 3645, 8875);
    m_display = std::make_unique<TextEditRichText>(rtbDisp1);

    // picBottom: Start Again, Donate, Exit and the two offers.
    picBottom = makePanel(QStringLiteral("picBottom"), kDesignWidth, 660, client);
    picBottom->setFixedHeight(px(this, 660));
    cmdRestart = new QPushButton(QStringLiteral("Start Again"), picBottom);
    cmdRestart->setObjectName(QStringLiteral("cmdRestart"));
    place(cmdRestart, 13845, 135, 1215, 390);
    cmdDonate = new QPushButton(QStringLiteral("Donate"), picBottom);
    cmdDonate->setObjectName(QStringLiteral("cmdDonate"));
    place(cmdDonate, 12530, 135, 1215, 390);
    cmdExit = new QPushButton(QStringLiteral("Exit"), picBottom);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    place(cmdExit, 11215, 135, 1215, 390);
    lblCobrand = new LinkLabel(QStringLiteral("Put your own name and web address on Kesto and give it to your "
                                              "visitors. Click Here for more info on co-branding."),
                               picBottom);
    lblCobrand->setObjectName(QStringLiteral("lblCobrand"));
    lblCobrand->setWordWrap(false);
    place(lblCobrand, 120, 60, 10800, 255);
    lblFullBrand = new LinkLabel(QStringLiteral("Home Business Opportunity. Sell Kesto under your own brand and "
                                                "keep what it earns. Click here for more details."),
                                 picBottom);
    lblFullBrand->setObjectName(QStringLiteral("lblFullBrand"));
    lblFullBrand->setWordWrap(false);
    place(lblFullBrand, 120, 345, 10800, 255);
    for (LinkLabel *label : {lblCobrand, lblFullBrand}) {
        QFont f(QStringLiteral("Verdana"), 8);
        f.setUnderline(true);
        label->setFont(f);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(pal);
    }
    connect(cmdRestart, &QPushButton::clicked, this, &frmMDI::cmdRestart_Click);
    connect(cmdDonate, &QPushButton::clicked, this, &frmMDI::cmdDonate_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMDI::cmdExit_Click);
    connect(lblCobrand, &LinkLabel::clicked, this, &frmMDI::lblCobrand_Click);
    connect(lblFullBrand, &LinkLabel::clicked, this, &frmMDI::lblFullBrand_Click);

    // Docking: the three top panels stack down from the top edge in their order; the bottom
    // panel takes the whole bottom edge, so that its buttons, which the layout rule places
    // against the frame's right edge, always stay in view; the left and right panels take
    // the height between them, and the client area what is left. A hidden panel frees its
    // space for the client area.
    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(picLeft);
    middle->addWidget(mdiArea, 1);
    middle->addWidget(picRight);

    auto *docking = new QVBoxLayout(client);
    docking->setContentsMargins(0, 0, 0, 0);
    docking->setSpacing(0);
    docking->addWidget(TB);
    docking->addWidget(picTop2);
    docking->addWidget(picTop);
    docking->addLayout(middle, 1);
    docking->addWidget(picBottom);

    // The panels keep their design sizes even while they are hidden, so that the layout
    // rule reads meaningful widths in either arrangement.
    picLeft->resize(px(this, 2925), px(this, 8820));
    picRight->resize(px(this, 3735), px(this, 8875));
    picTop->resize(px(this, kDesignWidth), px(this, 915));
    picTop2->resize(px(this, kDesignWidth), px(this, 645));
    picBottom->resize(px(this, kDesignWidth), px(this, 660));
}

void frmMDI::buildMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuUpdateKey = makeAction(QStringLiteral("mnuUpdateKey"), QStringLiteral("&Update"), this);
    mnuUpdateKey->setEnabled(false);
    mnuStart = makeAction(QStringLiteral("mnuStart"), QStringLiteral("&Start Again"), this);
    mnuExit = makeAction(QStringLiteral("mnuExit"), QStringLiteral("E&xit"), this);
    mnuFile->addAction(mnuUpdateKey);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuStart);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    mnuHelp = addMakerMenus(this, MakerMenuWording::MainWindow, m_shell.platform(),
                            [this] { frmAbout::showModal(m_shell.platform(), this); });

    connect(mnuStart, &QAction::triggered, this, &frmMDI::cmdRestart_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMDI::cmdExit_Click);

    // After every menu of the window's own, in both arrangements.
    mnuJournal = menuBar()->addMenu(QStringLiteral("&Journal"));
    mnuJournal->setObjectName(QStringLiteral("mnuJournal"));
    mnuReadingJournal = makeAction(QStringLiteral("mnuReadingJournal"), QStringLiteral("&Reading Journal..."), this);
    mnuReadingJournal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    mnuJournal->addAction(mnuReadingJournal);
    connect(mnuReadingJournal, &QAction::triggered, this, [this] { m_shell.showJournal(); });
    mnuJournal->addSeparator();
    mnuPrintReading = makeAction(QStringLiteral("mnuPrintReading"), QStringLiteral("&Print Reading..."), this);
    mnuPrintReading->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuExportPdf = makeAction(QStringLiteral("mnuExportPdf"), QStringLiteral("Export Reading as P&DF..."), this);
    mnuJournal->addAction(mnuPrintReading);
    mnuJournal->addAction(mnuExportPdf);
    // Only a finished reading on screen can be printed.
    auto updatePrinting = [this] {
        mnuPrintReading->setEnabled(shownReading() != nullptr);
        mnuExportPdf->setEnabled(shownReading() != nullptr);
    };
    updatePrinting();
    connect(mnuJournal, &QMenu::aboutToShow, this, updatePrinting);
    connect(mnuPrintReading, &QAction::triggered, this, [this] {
        if (const JournalReading *reading = shownReading())
            PrintReadingWithPreview(this, m_shell.platform(), *reading);
    });
    connect(mnuExportPdf, &QAction::triggered, this, [this] {
        if (const JournalReading *reading = shownReading())
            ExportReadingPdfAsked(this, m_shell.platform(), *reading);
    });
    // View: the card table's zoom, after the program's own menus and only in the reading
    // arrangement. The card table connects the entries to itself.
    mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    mnuZoomIn = makeAction(QStringLiteral("mnuZoomIn"), QStringLiteral("Zoom &In"), this);
    mnuZoomIn->setShortcuts(
        {QKeySequence(Qt::ControlModifier | Qt::Key_Plus), QKeySequence(Qt::ControlModifier | Qt::Key_Equal)});
    mnuZoomOut = makeAction(QStringLiteral("mnuZoomOut"), QStringLiteral("Zoom &Out"), this);
    mnuZoomOut->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Minus));
    mnuActualSize = makeAction(QStringLiteral("mnuActualSize"), QStringLiteral("&Actual Size"), this);
    mnuActualSize->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_0));
    mnuFitToWindow = makeAction(QStringLiteral("mnuFitToWindow"), QStringLiteral("&Fit to Window"), this);
    mnuFitToWindow->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_9));
    for (QAction *action : {mnuZoomIn, mnuZoomOut, mnuActualSize, mnuFitToWindow}) {
        action->setShortcutContext(Qt::WindowShortcut);
        mnuView->addAction(action);
        // Added to the window too, so that the keys work while the menu is hidden.
        addAction(action);
    }
    mnuView->menuAction()->setVisible(false);
}

void frmMDI::MDIForm_Load()
{
    Session &session = m_shell.session();
    runSteps({
        [&] {
            CheckInternetConnection(session);
            return true;
        },
        [&] {
            enableLinkDetection();
            return true;
        },
        [&] {
            showQuerent();
            return true;
        },
        [&] {
            refillKeywordList();
            return true;
        },
        [&] {
            const int width = tw(lstKeys->width()) - 200;
            if (width < 0)
                return false;
            lstKeys->setColumnWidth(0, px(this, width));
            return true;
        },
    });
}

void frmMDI::MDIForm_Resize()
{
    if (!picLeft)
        return;
    const int frameWidth = tw(width());
    const int frameHeight = tw(height());
    runSteps({
        // The height asked of the keyword panel. Docked to the left edge, it still runs from
        // the top panels down to the bottom one, so that a taller frame's longer keyword list
        // and the Display button under it stay in view.
        [&] {
            static_cast<DockPanel *>(picLeft)->setDesignHeight(px(this, 8820));
            return true;
        },
        [&] {
            const int height = frameHeight - 5000;
            if (height < 0)
                return false;
            lstKeys->resize(lstKeys->width(), px(this, height));
            return true;
        },
        [&] {
            cmdDisplay->setGeometry(cmdDisplay->x(), lstKeys->y() + lstKeys->height(), cmdDisplay->width(),
                                    px(this, 500));
            return true;
        },
        [&] {
            const int left = picLeft->x();
            for (QWidget *w : {static_cast<QWidget *>(txtKey), static_cast<QWidget *>(lstKeys),
                               static_cast<QWidget *>(cmdSearch), static_cast<QWidget *>(cmdDisplay)})
                w->move(left, w->y());
            return true;
        },
        [&] {
            const int keyWidth = tw(picLeft->width()) - 75;
            const int width = tw(picLeft->width()) - 50;
            if (keyWidth < 0 || width < 0)
                return false;
            txtKey->resize(px(this, keyWidth), txtKey->height());
            for (QWidget *w : {static_cast<QWidget *>(lstKeys), static_cast<QWidget *>(cmdSearch),
                               static_cast<QWidget *>(cmdDisplay)})
                w->resize(px(this, width), w->height());
            return true;
        },
        [&] {
            rtbDisp1->resize(rtbDisp1->width(), px(this, 8875));
            return true;
        },
        [&] {
            const int restartLeft = frameWidth - tw(cmdRestart->width()) - 300;
            cmdRestart->move(px(this, restartLeft), cmdRestart->y());
            const int donateLeft = restartLeft - tw(cmdDonate->width()) - 100;
            cmdDonate->move(px(this, donateLeft), cmdDonate->y());
            const int exitLeft = donateLeft - tw(cmdExit->width()) - 100;
            cmdExit->move(px(this, exitLeft), cmdExit->y());
            return true;
        },
    });
}

RichTextBox &frmMDI::readingDisplay() { return *m_display; }

void frmMDI::clearReadingDisplay() { rtbDisp1->clear(); }

void frmMDI::writeReportHeader(const CurrentReading &reading) { WriteSpreadHeader(readingDisplay(), reading); }

void frmMDI::writeCardSection(const CurrentReading &reading, SelectionAtCaret selection)
{
    QTextDocumentFragment remembered;
    if (selection == SelectionAtCaret::Keep) {
        QTextCursor cursor = rtbDisp1->textCursor();
        remembered = cursor.selection();
        cursor.removeSelectedText();
        rtbDisp1->setTextCursor(cursor);
    }
    // One layout pass over the whole card section instead of one per insertion.
    QTextCursor batch(rtbDisp1->document());
    batch.beginEditBlock();
    WriteCardReadings(readingDisplay(), reading);
    batch.endEditBlock();
    if (!remembered.isEmpty()) {
        QTextCursor after = rtbDisp1->textCursor();
        after.insertFragment(remembered);
        rtbDisp1->setTextCursor(after);
    }
    readingDisplay().setCaret(0);
    keepFinishedReading(reading);
}

void frmMDI::keepFinishedReading(const CurrentReading &reading)
{
    m_shownReading = JournalReading::fromCurrent(reading, EncodeReport(*rtbDisp1->document()));
    mnuPrintReading->setEnabled(true);
    mnuExportPdf->setEnabled(true);
    Journal &journal = m_shell.session().journal;
    if (const auto id = journal.keep(reading, m_shownReading->report))
        m_shownReading->id = *id;
    const QString message = journal.takeMessage();
    if (message.isEmpty())
        return;
    // Told after the cast, whose input guard would hold back the click on the message box.
    Platform *platform = &m_shell.platform();
    QTimer::singleShot(0, &m_shell, [platform, message] { platform->message(message, MessageIcon::Information); });
}

void frmMDI::showKeptReport(const JournalReading &reading)
{
    rtbDisp1->clear();
    DecodeReport(reading.report, *rtbDisp1->document());
    readingDisplay().setCaret(0);
    m_shownReading = reading;
    mnuPrintReading->setEnabled(true);
    mnuExportPdf->setEnabled(true);
}

void frmMDI::removeReadingSelection() { rtbDisp1->textCursor().removeSelectedText(); }

void frmMDI::MDIForm_Unload() { disableLinkDetection(); }

void frmMDI::showQuerent()
{
    const CurrentReading &reading = m_shell.session().reading;
    txtName->setText(reading.strName);
    txtDOB->setText(reading.strDOB);
    txtCountry->setText(reading.strCountry);
    txtQ->setPlainText(reading.strQ);
}

void frmMDI::applyReadingArrangement()
{
    TB->setVisible(false);
    picTop2->setVisible(false);
    picLeft->setVisible(false);
    picTop->setVisible(true);
    picRight->setVisible(true);
    picBottom->setVisible(true);
    mnuView->menuAction()->setVisible(true);
}

void frmMDI::applyDictionaryArrangement()
{
    picRight->setVisible(false);
    picTop->setVisible(false);
    mnuView->menuAction()->setVisible(false);
    TB->setVisible(true);
    picTop2->setVisible(true);
    picLeft->setVisible(true);
    picBottom->setVisible(true);
    mnuUpdateKey->setEnabled(true);
    CheckInternetConnection(m_shell.session());
    // The keyword list was filled when the window was created.
    if (m_dictionary)
        m_dictionary->reportKeywordListInUse();
}

QMdiSubWindow *frmMDI::addChildWindow(QWidget *child) { return mdiArea->addSubWindow(child); }

void frmMDI::showFrame()
{
    if (isVisible())
        return;
    // The screen the window is to open on: the primary one unless it was placed on another.
    if (QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        if (width() > available.width() || height() > available.height()) {
            showMaximized();
            return;
        }
        move(available.center() - rect().center());
    }
    show();
}

void frmMDI::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

bool frmMDI::eventFilter(QObject *watched, QEvent *event)
{
    // A child window shown inside the client area brings the frame with it. Showing a child
    // of a hidden frame only marks it to be shown with its parent; it still tells itself
    // through ShowToParent, which is where the frame follows.
    if (watched == mdiArea->viewport() && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::ShowToParent && qobject_cast<QMdiSubWindow *>(watched)) {
        showFrame();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMDI::closeEvent(QCloseEvent *event)
{
    MDIForm_Unload();
    mdiArea->closeAllSubWindows();
    m_close.accept(event, [this] { m_shell.EndProgram(); });
}

void frmMDI::closeForNavigation() { m_close.navigate(this); }

void frmMDI::cmdExit_Click() { close(); }

void frmMDI::cmdRestart_Click()
{
    m_close.navigate(this);
    m_shell.showModeScreen();
}

void frmMDI::cmdDonate_Click() { OpenMakerPage(m_shell.platform(), page::donate); }
void frmMDI::cmdDonate1_Click() { OpenMakerPage(m_shell.platform(), page::donate); }
void frmMDI::lblCobrand_Click() { OpenMakerPage(m_shell.platform(), page::coBrand); }
void frmMDI::lblFullBrand_Click() { OpenMakerPage(m_shell.platform(), page::fullyBranded); }

void frmMDI::TB_ButtonClick(QAction *button)
{
    if (!button)
        return;
    const QString key = button->data().toString();
    static const QStringList keys = {QStringLiteral("Back"), QStringLiteral("Forward"), QStringLiteral("Refresh"),
                                     QStringLiteral("Home"), QStringLiteral("Search"),  QStringLiteral("Stop")};
    if (keys.contains(key))
        dictionaryBrowserCommand(key);
}

// The reading display shows web addresses as links and opens one on a left-button press.
void frmMDI::enableLinkDetection() { EnableUrlDetection(m_shell.platform(), rtbDisp1); }
void frmMDI::disableLinkDetection() { DisableUrlDetection(); }

// Every keyword of the installed dictionary, in read order; the list stays empty when the
// dictionary cannot be opened.
void frmMDI::refillKeywordList()
{
    if (m_dictionary)
        m_dictionary->FillKeywordList();
}

// Back, Forward, Stop, Refresh, Home and Search act on the dictionary browser, even while the
// web-search window is in front.
void frmMDI::dictionaryBrowserCommand(const QString &key) { m_webWindows->toolbarCommand(key); }

// Enter in txtKey and its every change, cmdSearch, cmdDisplay, lstKeys' click and
// double-click, and File > Update (which the dictionary arrangement enables).
void frmMDI::connectDictionaryHandlers() { m_dictionary = new DictionaryHandlers(m_shell, *this); }

} // namespace kesto
