#pragma once
#include <QColor>
#include <QFont>
#include <QString>
#include <QtGlobal>
#include <array>

class QPrinter;
class QWidget;

namespace kesto {

// Receives the events of a dialog in progress when the caller asks for the hook. Each call
// passes the dialog window.
class EventSink
{
public:
    virtual ~EventSink() = default;
    virtual void InitDialog(QWidget *dialog) { Q_UNUSED(dialog) }
    virtual void FileChange(QWidget *dialog) { Q_UNUSED(dialog) }
    virtual void FolderChange(QWidget *dialog) { Q_UNUSED(dialog) }
    virtual void TypeChange(QWidget *dialog) { Q_UNUSED(dialog) }
    // A false answer keeps the dialog open.
    virtual bool ConfirmOK(QWidget *dialog)
    {
        Q_UNUSED(dialog)
        return true;
    }
    virtual void DialogClose(QWidget *dialog) { Q_UNUSED(dialog) }
};

// Flags and error codes of the common dialogs, kept in one place. The numbers are the
// classic values so that callers that combine them by hand keep working.
namespace cdlg {
// Open and save
inline constexpr qint32 ReadOnlyFlag = 0x1;
inline constexpr qint32 OverwritePromptFlag = 0x2;
inline constexpr qint32 HideReadOnlyFlag = 0x4;
inline constexpr qint32 EnableHookFlag = 0x20;
inline constexpr qint32 EnableTemplateFlag = 0x40;
inline constexpr qint32 HookAndTemplateFlags = EnableHookFlag | EnableTemplateFlag;
inline constexpr qint32 AllowMultiSelectFlag = 0x200;
inline constexpr qint32 FileMustExistFlag = 0x1000;
// Colour
inline constexpr qint32 RgbInitFlag = 0x1;
inline constexpr qint32 FullOpenFlag = 0x2;
inline constexpr qint32 PreventFullOpenFlag = 0x4;
inline constexpr qint32 ColorHookFlag = 0x10;
inline constexpr qint32 AnyColorFlag = 0x100;
// Font
inline constexpr qint32 FontEffectsFlag = 0x100;
inline constexpr qint32 FontInitFlag = 0x40;
inline constexpr qint32 FontHookFlag = 0x8;
inline constexpr qint32 FontLimitSizeFlag = 0x2000;
// Print
inline constexpr qint32 PrintSelectionFlag = 0x1;
inline constexpr qint32 PrintPageNumbersFlag = 0x2;
inline constexpr qint32 NoSelectionFlag = 0x4;
inline constexpr qint32 NoPageNumbersFlag = 0x8;
inline constexpr qint32 CollateFlag = 0x10;
inline constexpr qint32 PrintToFileFlag = 0x20;
inline constexpr qint32 PrintHookFlag = 0x1000;
inline constexpr qint32 NoWarningFlag = 0x80;
inline constexpr qint32 DisablePrintToFileFlag = 0x80000;
inline constexpr qint32 HidePrintToFileFlag = 0x100000;
// Page setup
inline constexpr qint32 MarginsFlag = 0x2;
inline constexpr qint32 MinMarginsFlag = 0x1;
inline constexpr qint32 InThousandthsOfInchesFlag = 0x4;
inline constexpr qint32 InHundredthsOfMillimetersFlag = 0x8;
inline constexpr qint32 DisableMarginsFlag = 0x10;
inline constexpr qint32 DisablePrinterFlag = 0x20;
inline constexpr qint32 DisableOrientationFlag = 0x100;
inline constexpr qint32 DisablePaperFlag = 0x200;
inline constexpr qint32 PageSetupHookFlag = 0x2000;

// Print ranges
inline constexpr qint32 AllPages = 0;
inline constexpr qint32 Selection = 1;
inline constexpr qint32 PageNums = 2;

// Units of the page-setup margins
inline constexpr qint32 ThousandthsOfInches = 0;
inline constexpr qint32 HundredthsOfMillimeters = 1;

// Values of APIReturn
inline constexpr qint32 ReturnCancel = 0;
inline constexpr qint32 ReturnOk = 1;
inline constexpr qint32 ReturnFailed = -1;

// Extended error codes
inline constexpr qint32 NoError = 0;
inline constexpr qint32 ErrorDialogFailure = 0xFFFF;
inline constexpr qint32 ErrorInitialization = 0x0002;
inline constexpr qint32 ErrorNoTemplate = 0x0003;
inline constexpr qint32 ErrorPrinterNotFound = 0x100B;
inline constexpr qint32 ErrorInvalidFileName = 0x3002;
inline constexpr qint32 ErrorBufferTooSmall = 0x3003;
inline constexpr qint32 ErrorInvalidIndex = 0x4001;
inline constexpr qint32 ErrorFontMaxLessThanMin = 0x2002;

// File-name buffers hold this many characters, the terminating character included.
inline constexpr int FileNameBufferSize = 260;
} // namespace cdlg

// One object with plain parameters in front of Qt's file, colour, font, print and
// page-setup dialogs. Every dialog method writes the user's choices back into its reference
// parameters, sets APIReturn, and returns true when the user confirmed the dialog. A cancel
// clears the outputs and returns false; any other failure also stores a code in
// ExtendedError. The program itself does not use this class.
class CDLG
{
public:
    CDLG();

    qint32 APIReturn() const { return m_apiReturn; }
    qint32 ExtendedError() const { return m_extendedError; }
    QString SelectedPrinterName;

    // Custom colours of the colour dialog, as 0x00BBGGRR values. Indexes outside 0..15 are
    // refused: the read gives -1, the write returns false; both set ExtendedError.
    qint32 CustomColor(int index);
    bool SetCustomColor(int index, qint32 bgr);

    bool VBGetOpenFileName(QString &Filename, QString &FileTitle, bool FileMustExist, bool MultiSelect, bool &ReadOnly,
                           bool HideReadOnly, QString &Filter, qint32 &FilterIndex, const QString &InitDir,
                           const QString &DlgTitle, const QString &DefaultExt, qintptr Owner, qint32 &flags,
                           bool Hook = false, EventSink *EventSink = nullptr);

    bool VBGetSaveFileName(QString &Filename, QString &FileTitle, bool OverWritePrompt, QString &Filter,
                           qint32 &FilterIndex, const QString &InitDir, const QString &DlgTitle,
                           const QString &DefaultExt, qintptr Owner, qint32 &flags, bool Hook = false,
                           EventSink *EventSink = nullptr);

    // The title part of a path (after the last "/" or "\\").
    QString VBGetFileTitle(const QString &sFIle);

    bool VBChooseColor(qint32 &Color, bool AnyColor, bool FullOpen, bool DisableFullOpen, qintptr Owner, qint32 &flags,
                       bool Hook = false, EventSink *EventSink = nullptr);

    bool VBChooseFont(QFont &CurFont, QPrinter *PrinterDC, qintptr Owner, qint32 &Color, int MinSize, int MaxSize,
                      qint32 &flags, bool Hook = false, EventSink *EventSink = nullptr);

    bool VBPrintDlg(QPrinter *printer, qint32 &PrintRange, bool DisablePageNumbers, qint32 &FromPage, qint32 &ToPage,
                    bool DisableSelection, qint32 &Copies, bool ShowPrintToFile, bool DisablePrintToFile,
                    bool &PrintToFile, bool &Collate, bool PreventWarning, qintptr Owner, QString &Printer,
                    qint32 &flags, bool Hook = false, EventSink *EventSink = nullptr);

    // Margins as whole numbers in the chosen units.
    bool VBPageSetupDlg(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                        bool DisablePrinter, qint32 &LeftMargin, qint32 MinLeftMargin, qint32 &RightMargin,
                        qint32 MinRightMargin, qint32 &TopMargin, qint32 MinTopMargin, qint32 &BottomMargin,
                        qint32 MinBottomMargin, qint32 &PaperSize, qint32 &Orientation, qint32 &PrintQuality,
                        qint32 Units, QPrinter *Printer, qint32 &flags, bool Hook = false,
                        EventSink *EventSink = nullptr);
    // The same with fractional margins.
    bool VBPageSetupDlg2(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                         bool DisablePrinter, double &LeftMargin, double MinLeftMargin, double &RightMargin,
                         double MinRightMargin, double &TopMargin, double MinTopMargin, double &BottomMargin,
                         double MinBottomMargin, qint32 &PaperSize, qint32 &Orientation, qint32 &PrintQuality,
                         qint32 Units, QPrinter *Printer, qint32 &flags, bool Hook = false,
                         EventSink *EventSink = nullptr);

    // The filter string's conversion: "|" and ":" separate descriptions from patterns.
    // "Text (*.txt)|*.txt|All|*.*" becomes {"Text (*.txt)", "All (*.*)"}.
    static QStringList ToQtFilters(const QString &filter);
    static QString DefaultFilter() { return QStringLiteral("All (*.*)| *.*"); }

    // The window an Owner handle names: none for -1 (or 0, or an unknown handle).
    static QWidget *OwnerWindow(qintptr Owner);

private:
    struct PageSetupValues;
    bool runPageSetup(qintptr Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                      bool DisablePrinter, PageSetupValues &values, qint32 Units, QPrinter *Printer, qint32 &flags,
                      bool Hook, EventSink *sink);
    void succeed();
    void cancel();
    void fail(qint32 code);

    qint32 m_apiReturn = cdlg::ReturnCancel;
    qint32 m_extendedError = cdlg::NoError;
    std::array<qint32, 16> m_customColors{};
};

} // namespace kesto
