#include "dialogs/cdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QShowEvent>

#include <type_traits>

namespace kesto {

namespace {

// A Qt dialog that forwards its events to an event sink: initialisation when first shown,
// for a file dialog the selection, folder and file-type changes, the OK button (whose false
// answer keeps the dialog open), and its close. Each call passes the dialog itself.
template<class Dialog>
class DialogHook : public Dialog
{
public:
    using Dialog::Dialog;

    void hook(EventSink *sink)
    {
        m_sink = sink;
        if (!m_sink)
            return;
        QObject::connect(this, &QDialog::finished, this, [this] { m_sink->DialogClose(this); });
        if constexpr (std::is_base_of_v<QFileDialog, Dialog>) {
            QObject::connect(this, &QFileDialog::currentChanged, this, [this] { m_sink->FileChange(this); });
            QObject::connect(this, &QFileDialog::directoryEntered, this, [this] { m_sink->FolderChange(this); });
            QObject::connect(this, &QFileDialog::filterSelected, this, [this] { m_sink->TypeChange(this); });
        }
    }
    EventSink *sink() const { return m_sink; }

    void accept() override
    {
        if (m_sink && !m_sink->ConfirmOK(this))
            return;
        Dialog::accept();
    }

protected:
    void showEvent(QShowEvent *event) override
    {
        Dialog::showEvent(event);
        if (m_sink && !m_initialised) {
            m_initialised = true;
            m_sink->InitDialog(this);
        }
    }

private:
    EventSink *m_sink = nullptr;
    bool m_initialised = false;
};

qint32 toBgr(const QColor &c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
QColor fromBgr(qint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

// Margins in the caller's units (thousandths of an inch or hundredths of a millimetre) to
// millimetres and back; QPageLayout keeps millimetres without rounding them.
double toMillimeters(double value, qint32 units)
{
    return units == cdlg::HundredthsOfMillimeters ? value / 100.0 : value / 1000.0 * 25.4;
}
double fromMillimeters(double mm, qint32 units)
{
    return units == cdlg::HundredthsOfMillimeters ? mm * 100.0 : mm / 25.4 * 1000.0;
}

} // namespace

struct CDLG::PageSetupValues
{
    double left, minLeft, right, minRight, top, minTop, bottom, minBottom;
    qint32 &paperSize;
    qint32 &orientation;
    qint32 &printQuality;
};

CDLG::CDLG() { m_customColors.fill(0xFFFFFF); }

void CDLG::succeed()
{
    m_apiReturn = cdlg::ReturnOk;
    m_extendedError = cdlg::NoError;
}

void CDLG::cancel()
{
    m_apiReturn = cdlg::ReturnCancel;
    m_extendedError = cdlg::NoError;
}

void CDLG::fail(qint32 code)
{
    m_apiReturn = cdlg::ReturnFailed;
    m_extendedError = code;
}

qint32 CDLG::CustomColor(int index)
{
    if (index < 0 || index >= int(m_customColors.size())) {
        fail(cdlg::ErrorInvalidIndex);
        return -1;
    }
    return m_customColors[size_t(index)];
}

bool CDLG::SetCustomColor(int index, qint32 bgr)
{
    if (index < 0 || index >= int(m_customColors.size())) {
        fail(cdlg::ErrorInvalidIndex);
        return false;
    }
    m_customColors[size_t(index)] = bgr & 0xFFFFFF;
    return true;
}

QWidget *CDLG::OwnerWindow(qintptr Owner)
{
    if (Owner == -1 || Owner == 0)
        return nullptr;
    return QWidget::find(WId(Owner));
}

QStringList CDLG::ToQtFilters(const QString &filter)
{
    QString source = filter.isEmpty() ? DefaultFilter() : filter;
    source.replace(QLatin1Char(':'), QLatin1Char('|'));
    const QStringList parts = source.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt reads the patterns from the last parentheses; a description that already shows
        // them keeps its wording.
        if (description.endsWith(QStringLiteral("(") + joined + QStringLiteral(")")))
            result << description;
        else
            result << description + QStringLiteral(" (") + joined + QStringLiteral(")");
    }
    if (result.isEmpty())
        result << QStringLiteral("All (*.*)");
    return result;
}

QString CDLG::VBGetFileTitle(const QString &sFIle)
{
    const qsizetype cut = std::max(sFIle.lastIndexOf(QLatin1Char('/')), sFIle.lastIndexOf(QLatin1Char('\\')));
    const QString title = sFIle.mid(cut + 1);
    if (title.size() >= cdlg::FileNameBufferSize) {
        fail(cdlg::ErrorBufferTooSmall);
        return {};
    }
    succeed();
    return title;
}

namespace {

struct FileDialogRun
{
    bool accepted = false;
    QStringList files;
    int filterIndex = 0; // 1-based
    bool readOnly = false;
};

} // namespace

static FileDialogRun runFileDialog(QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode,
                                   const QString &initialName, const QStringList &filters, qint32 filterIndex,
                                   const QString &initDir, const QString &title, const QString &defaultExt,
                                   QWidget *owner, bool confirmOverwrite, bool showReadOnly, bool readOnly,
                                   EventSink *sink)
{
    DialogHook<QFileDialog> dialog(owner, title, initDir);
    dialog.setObjectName(QStringLiteral("CDLGFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(filterIndex - 1));
    if (!defaultExt.isEmpty())
        dialog.setDefaultSuffix(defaultExt);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);

    QCheckBox *readOnlyBox = nullptr;
    if (showReadOnly) {
        readOnlyBox = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
        readOnlyBox->setObjectName(QStringLiteral("chkReadOnly"));
        readOnlyBox->setChecked(readOnly);
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
            grid->addWidget(readOnlyBox, grid->rowCount(), 0, 1, grid->columnCount());
    }

    dialog.hook(sink);

    FileDialogRun run;
    run.accepted = dialog.exec() == QDialog::Accepted;
    if (run.accepted) {
        run.files = dialog.selectedFiles();
        run.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
        run.readOnly = readOnlyBox && readOnlyBox->isChecked();
    }
    return run;
}

// The selected files in the classic buffer form: one path, or for several files the folder
// followed by each name, separated by NUL characters.
static QString bufferFor(const QStringList &files)
{
    if (files.size() == 1)
        return QDir::toNativeSeparators(files.first());
    QString out = QDir::toNativeSeparators(QFileInfo(files.first()).absolutePath());
    for (const QString &f : files)
        out += QChar(0) + QFileInfo(f).fileName();
    return out;
}

bool CDLG::VBGetOpenFileName(QString &Filename, QString &FileTitle, bool FileMustExist, bool MultiSelect,
                             bool &ReadOnly, bool HideReadOnly, QString &Filter, qint32 &FilterIndex,
                             const QString &InitDir, const QString &DlgTitle, const QString &DefaultExt, qintptr Owner,
                             qint32 &flags, bool Hook, EventSink *EventSink)
{
    qint32 f = flags & ~cdlg::HookAndTemplateFlags;
    if (MultiSelect)
        f |= cdlg::AllowMultiSelectFlag;
    if (ReadOnly)
        f |= cdlg::ReadOnlyFlag;
    if (HideReadOnly)
        f |= cdlg::HideReadOnlyFlag;
    if (FileMustExist)
        f |= cdlg::FileMustExistFlag;
    class EventSink *sink = Hook ? EventSink : nullptr;
    if (sink)
        f |= cdlg::EnableHookFlag;

    if (Filename.size() >= cdlg::FileNameBufferSize) {
        fail(cdlg::ErrorBufferTooSmall);
        return false;
    }
    if (Filter.isEmpty())
        Filter = DefaultFilter();
    const QStringList filters = ToQtFilters(Filter);
    const QFileDialog::FileMode mode
        = MultiSelect ? QFileDialog::ExistingFiles : (FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const FileDialogRun run
        = runFileDialog(QFileDialog::AcceptOpen, mode, Filename, filters, FilterIndex, InitDir, DlgTitle, DefaultExt,
                        OwnerWindow(Owner), false, !HideReadOnly, ReadOnly, sink);
    if (!run.accepted || run.files.isEmpty()) {
        cancel();
        Filename.clear();
        FileTitle.clear();
        Filter.clear();
        flags = 0;
        FilterIndex = -1;
        return false;
    }
    const QString chosen = bufferFor(run.files);
    if (chosen.size() >= cdlg::FileNameBufferSize) {
        fail(cdlg::ErrorBufferTooSmall);
        return false;
    }
    Filename = chosen;
    FileTitle = QFileInfo(run.files.first()).fileName();
    FilterIndex = run.filterIndex;
    ReadOnly = run.readOnly;
    if (ReadOnly)
        f |= cdlg::ReadOnlyFlag;
    else
        f &= ~cdlg::ReadOnlyFlag;
    flags = f;
    succeed();
    return true;
}

bool CDLG::VBGetSaveFileName(QString &Filename, QString &FileTitle, bool OverWritePrompt, QString &Filter,
                             qint32 &FilterIndex, const QString &InitDir, const QString &DlgTitle,
                             const QString &DefaultExt, qintptr Owner, qint32 &flags, bool Hook, EventSink *EventSink)
{
    qint32 f = flags & ~cdlg::HookAndTemplateFlags;
    if (OverWritePrompt)
        f |= cdlg::OverwritePromptFlag;
    class EventSink *sink = Hook ? EventSink : nullptr;
    if (sink)
        f |= cdlg::EnableHookFlag;
    if (Filename.size() >= cdlg::FileNameBufferSize) {
        fail(cdlg::ErrorBufferTooSmall);
        return false;
    }
    if (Filter.isEmpty())
        Filter = DefaultFilter();
    const QStringList filters = ToQtFilters(Filter);
    const FileDialogRun run
        = runFileDialog(QFileDialog::AcceptSave, QFileDialog::AnyFile, Filename, filters, FilterIndex, InitDir,
                        DlgTitle, DefaultExt, OwnerWindow(Owner), OverWritePrompt, false, false, sink);
    if (!run.accepted || run.files.isEmpty()) {
        cancel();
        Filename.clear();
        FileTitle.clear();
        Filter.clear();
        flags = 0;
        FilterIndex = -1;
        return false;
    }
    const QString chosen = QDir::toNativeSeparators(run.files.first());
    if (chosen.size() >= cdlg::FileNameBufferSize) {
        fail(cdlg::ErrorBufferTooSmall);
        return false;
    }
    Filename = chosen;
    FileTitle = QFileInfo(chosen).fileName();
    FilterIndex = run.filterIndex;
    flags = f;
    succeed();
    return true;
}

bool CDLG::VBChooseColor(qint32 &Color, bool AnyColor, bool FullOpen, bool DisableFullOpen, qintptr Owner,
                         qint32 &flags, bool Hook, EventSink *EventSink)
{
    qint32 f = (flags & ~cdlg::ColorHookFlag) | cdlg::RgbInitFlag;
    if (AnyColor)
        f |= cdlg::AnyColorFlag;
    if (FullOpen)
        f |= cdlg::FullOpenFlag;
    if (DisableFullOpen)
        f |= cdlg::PreventFullOpenFlag;
    class EventSink *sink = Hook ? EventSink : nullptr;
    if (sink)
        f |= cdlg::ColorHookFlag;

    // Qt keeps one set of custom colours for all its colour dialogs; lend it ours.
    std::array<QColor, 16> saved;
    for (int i = 0; i < 16; ++i) {
        saved[size_t(i)] = QColorDialog::customColor(i);
        QColorDialog::setCustomColor(i, fromBgr(m_customColors[size_t(i)]));
    }
    DialogHook<QColorDialog> dialog(fromBgr(Color), OwnerWindow(Owner));
    dialog.setObjectName(QStringLiteral("CDLGColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.hook(sink);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i) {
        m_customColors[size_t(i)] = toBgr(QColorDialog::customColor(i));
        QColorDialog::setCustomColor(i, saved[size_t(i)]);
    }
    if (!accepted) {
        cancel();
        Color = 0;
        flags = 0;
        return false;
    }
    Color = toBgr(dialog.selectedColor());
    flags = f;
    succeed();
    return true;
}

bool CDLG::VBChooseFont(QFont &CurFont, QPrinter *PrinterDC, qintptr Owner, qint32 &Color, int MinSize, int MaxSize,
                        qint32 &flags, bool Hook, EventSink *EventSink)
{
    Q_UNUSED(PrinterDC) // Qt lists the same fonts for screen and printer
    qint32 f = (flags & ~cdlg::FontHookFlag) | cdlg::FontInitFlag | cdlg::FontEffectsFlag;
    const bool limited = MinSize > 0 || MaxSize > 0;
    if (limited) {
        if (MaxSize > 0 && MinSize > MaxSize) {
            fail(cdlg::ErrorFontMaxLessThanMin);
            return false;
        }
        f |= cdlg::FontLimitSizeFlag;
    }
    class EventSink *sink = Hook ? EventSink : nullptr;
    if (sink)
        f |= cdlg::FontHookFlag;

    DialogHook<QFontDialog> dialog(CurFont, OwnerWindow(Owner));
    dialog.setObjectName(QStringLiteral("CDLGFontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
    dialog.hook(sink);
    if (dialog.exec() != QDialog::Accepted) {
        cancel();
        flags = 0;
        return false;
    }
    QFont chosen = dialog.selectedFont();
    // Qt's font dialog has no size limits of its own; keep the chosen size inside them.
    if (limited && chosen.pointSize() > 0) {
        int size = chosen.pointSize();
        if (MinSize > 0)
            size = std::max(size, MinSize);
        if (MaxSize > 0)
            size = std::min(size, MaxSize);
        chosen.setPointSize(size);
    }
    CurFont = chosen;
    // The colour is not part of Qt's font dialog: the caller's colour is kept.
    Q_UNUSED(Color)
    flags = f;
    succeed();
    return true;
}

bool CDLG::VBPrintDlg(QPrinter *printer, qint32 &PrintRange, bool DisablePageNumbers, qint32 &FromPage, qint32 &ToPage,
                      bool DisableSelection, qint32 &Copies, bool ShowPrintToFile, bool DisablePrintToFile,
                      bool &PrintToFile, bool &Collate, bool PreventWarning, qintptr Owner, QString &Printer,
                      qint32 &flags, bool Hook, EventSink *EventSink)
{
    qint32 f = flags & ~cdlg::PrintHookFlag;
    if (DisablePageNumbers)
        f |= cdlg::NoPageNumbersFlag;
    if (DisableSelection)
        f |= cdlg::NoSelectionFlag;
    if (!ShowPrintToFile)
        f |= cdlg::HidePrintToFileFlag;
    if (DisablePrintToFile)
        f |= cdlg::DisablePrintToFileFlag;
    if (PrintToFile)
        f |= cdlg::PrintToFileFlag;
    if (Collate)
        f |= cdlg::CollateFlag;
    if (PreventWarning)
        f |= cdlg::NoWarningFlag;
    class EventSink *sink = Hook ? EventSink : nullptr;
    if (sink)
        f |= cdlg::PrintHookFlag;

    QPrinter fallback;
    QPrinter *target = printer ? printer : &fallback;
    if (!Printer.isEmpty())
        target->setPrinterName(Printer);
    target->setFromTo(std::max(0, FromPage), std::max(0, std::max(FromPage, ToPage)));
    target->setCopyCount(std::max(1, Copies));
    target->setCollateCopies(Collate);
    target->setPrintRange(PrintRange == cdlg::Selection      ? QPrinter::Selection
                              : PrintRange == cdlg::PageNums ? QPrinter::PageRange
                                                             : QPrinter::AllPages);

    DialogHook<QPrintDialog> dialog(target, OwnerWindow(Owner));
    dialog.setObjectName(QStringLiteral("CDLGPrintDialog"));
    QAbstractPrintDialog::PrintDialogOptions options
        = QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
    if (!DisablePageNumbers)
        options |= QAbstractPrintDialog::PrintPageRange;
    if (!DisableSelection)
        options |= QAbstractPrintDialog::PrintSelection;
    if (ShowPrintToFile && !DisablePrintToFile)
        options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    dialog.hook(sink);
    if (dialog.exec() != QDialog::Accepted) {
        cancel();
        PrintRange = cdlg::AllPages;
        FromPage = ToPage = 0;
        Copies = 0;
        PrintToFile = Collate = false;
        Printer.clear();
        flags = 0;
        return false;
    }
    switch (target->printRange()) {
    case QPrinter::Selection:
        PrintRange = cdlg::Selection;
        break;
    case QPrinter::PageRange:
        PrintRange = cdlg::PageNums;
        break;
    default:
        PrintRange = cdlg::AllPages;
        break;
    }
    FromPage = target->fromPage();
    ToPage = target->toPage();
    Copies = target->copyCount();
    Collate = target->collateCopies();
    PrintToFile = !target->outputFileName().isEmpty();
    Printer = target->printerName();
    SelectedPrinterName = Printer;
    f &= ~(cdlg::PrintToFileFlag | cdlg::CollateFlag | cdlg::PrintSelectionFlag | cdlg::PrintPageNumbersFlag);
    if (PrintToFile)
        f |= cdlg::PrintToFileFlag;
    if (Collate)
        f |= cdlg::CollateFlag;
    if (PrintRange == cdlg::Selection)
        f |= cdlg::PrintSelectionFlag;
    else if (PrintRange == cdlg::PageNums)
        f |= cdlg::PrintPageNumbersFlag;
    flags = f;
    succeed();
    return true;
}

bool CDLG::runPageSetup(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                        bool DisablePrinter, PageSetupValues &v, qint32 Units, QPrinter *Printer, qint32 &flags,
                        bool Hook, EventSink *sink)
{
    qint32 f = (flags & ~cdlg::PageSetupHookFlag) | cdlg::MarginsFlag | cdlg::MinMarginsFlag;
    f |= Units == cdlg::HundredthsOfMillimeters ? cdlg::InHundredthsOfMillimetersFlag : cdlg::InThousandthsOfInchesFlag;
    if (DisableMargins)
        f |= cdlg::DisableMarginsFlag;
    if (DisableOrientation)
        f |= cdlg::DisableOrientationFlag;
    if (DisablePaper)
        f |= cdlg::DisablePaperFlag;
    if (DisablePrinter)
        f |= cdlg::DisablePrinterFlag;
    if (!Hook)
        sink = nullptr;
    if (sink)
        f |= cdlg::PageSetupHookFlag;

    QPrinter fallback;
    QPrinter *target = Printer ? Printer : &fallback;
    QPageLayout layout = target->pageLayout();
    if (v.paperSize > 0) {
        const QPageSize size(QPageSize::id(v.paperSize));
        if (size.isValid())
            layout.setPageSize(size);
    }
    if (v.orientation == 1 || v.orientation == 2)
        layout.setOrientation(v.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMinimumMargins(QMarginsF(toMillimeters(v.minLeft, Units), toMillimeters(v.minTop, Units),
                                       toMillimeters(v.minRight, Units), toMillimeters(v.minBottom, Units)));
    layout.setMargins(QMarginsF(toMillimeters(v.left, Units), toMillimeters(v.top, Units),
                                toMillimeters(v.right, Units), toMillimeters(v.bottom, Units)));
    target->setPageLayout(layout);
    if (v.printQuality > 0)
        target->setResolution(v.printQuality);

    DialogHook<QPageSetupDialog> dialog(target, OwnerWindow(Owner));
    dialog.setObjectName(QStringLiteral("CDLGPageSetupDialog"));
    dialog.hook(sink);
    if (dialog.exec() != QDialog::Accepted) {
        cancel();
        v.left = v.right = v.top = v.bottom = 0;
        v.paperSize = v.orientation = v.printQuality = 0;
        flags = 0;
        return false;
    }
    const QPageLayout chosen = target->pageLayout();
    const QMarginsF m = chosen.margins(QPageLayout::Millimeter);
    v.left = fromMillimeters(m.left(), Units);
    v.top = fromMillimeters(m.top(), Units);
    v.right = fromMillimeters(m.right(), Units);
    v.bottom = fromMillimeters(m.bottom(), Units);
    v.paperSize = chosen.pageSize().windowsId();
    v.orientation = chosen.orientation() == QPageLayout::Landscape ? 2 : 1;
    v.printQuality = target->resolution();
    SelectedPrinterName = target->printerName();
    flags = f;
    succeed();
    return true;
}

bool CDLG::VBPageSetupDlg(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                          bool DisablePrinter, qint32 &LeftMargin, qint32 MinLeftMargin, qint32 &RightMargin,
                          qint32 MinRightMargin, qint32 &TopMargin, qint32 MinTopMargin, qint32 &BottomMargin,
                          qint32 MinBottomMargin, qint32 &PaperSize, qint32 &Orientation, qint32 &PrintQuality,
                          qint32 Units, QPrinter *Printer, qint32 &flags, bool Hook, EventSink *EventSink)
{
    PageSetupValues v{double(LeftMargin), double(MinLeftMargin), double(RightMargin),  double(MinRightMargin),
                      double(TopMargin),  double(MinTopMargin),  double(BottomMargin), double(MinBottomMargin),
                      PaperSize,          Orientation,           PrintQuality};
    const bool ok = runPageSetup(Owner, DisableMargins, DisableOrientation, DisablePaper, DisablePrinter, v, Units,
                                 Printer, flags, Hook, EventSink);
    LeftMargin = qint32(std::lround(v.left));
    RightMargin = qint32(std::lround(v.right));
    TopMargin = qint32(std::lround(v.top));
    BottomMargin = qint32(std::lround(v.bottom));
    return ok;
}

bool CDLG::VBPageSetupDlg2(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                           bool DisablePrinter, double &LeftMargin, double MinLeftMargin, double &RightMargin,
                           double MinRightMargin, double &TopMargin, double MinTopMargin, double &BottomMargin,
                           double MinBottomMargin, qint32 &PaperSize, qint32 &Orientation, qint32 &PrintQuality,
                           qint32 Units, QPrinter *Printer, qint32 &flags, bool Hook, EventSink *EventSink)
{
    PageSetupValues v{LeftMargin,   MinLeftMargin,   RightMargin, MinRightMargin, TopMargin,   MinTopMargin,
                      BottomMargin, MinBottomMargin, PaperSize,   Orientation,    PrintQuality};
    const bool ok = runPageSetup(Owner, DisableMargins, DisableOrientation, DisablePaper, DisablePrinter, v, Units,
                                 Printer, flags, Hook, EventSink);
    LeftMargin = v.left;
    RightMargin = v.right;
    TopMargin = v.top;
    BottomMargin = v.bottom;
    return ok;
}

} // namespace kesto
