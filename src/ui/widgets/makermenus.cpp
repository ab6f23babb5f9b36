#include "ui/widgets/makermenus.h"

#include "core/online/modhelp.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kesto {

namespace {

enum class Where { HelpMenu, MenuBar };

// One maker entry: its object name, where it sits, whether a separator comes before it,
// the page it opens (none for About) and its usual caption.
struct MakerEntry
{
    const char16_t *name;
    Where where;
    bool separatorBefore;
    const char16_t *page;
    const char16_t *caption;
};

constexpr char16_t kHelpMenu[] = u"mnuHelp";

constexpr MakerEntry kEntries[] = {
    {u"mnuOnline", Where::HelpMenu, false, page::help, u"&Online Help"},
    {u"mnuVisit", Where::HelpMenu, false, page::home, u"&Visit Us Online"},
    {u"mnuUpdate", Where::HelpMenu, true, page::download, u"Check for Software &Update"},
    {u"mnuAbout", Where::HelpMenu, true, nullptr, u"&About Software"},
    {u"mnuDonate", Where::MenuBar, false, page::donate, u"Donate"},
    {u"mnuMakeMoney", Where::MenuBar, false, page::fullyBranded, u"Make Money &Online"},
};

// The captions a screen words its own way, by object name (the Help menu's included).
struct Rewording
{
    MakerMenuWording wording;
    const char16_t *name;
    const char16_t *caption;
};

constexpr Rewording kRewordings[] = {
    {MakerMenuWording::Querent, kHelpMenu, u"Help"},
    {MakerMenuWording::Querent, u"mnuOnline", u"Onine &Help"},
    {MakerMenuWording::Querent, u"mnuVisit", u"Visit Us &Online"},
    {MakerMenuWording::Querent, u"mnuUpdate", u"Check For Software Update"},
    {MakerMenuWording::Querent, u"mnuAbout", u"About &Software"},
    {MakerMenuWording::MainWindow, u"mnuDonate", u"&Donate"},
};

QString captionFor(MakerMenuWording wording, const char16_t *name, const char16_t *usual)
{
    const QStringView wanted(name);
    for (const Rewording &r : kRewordings) {
        if (r.wording == wording && wanted == QStringView(r.name))
            return QString::fromUtf16(r.caption);
    }
    return QString::fromUtf16(usual);
}

} // namespace

QMenu *addMakerMenus(QMainWindow *window, MakerMenuWording wording, Platform &platform, std::function<void()> showAbout)
{
    QMenuBar *bar = window->menuBar();
    QMenu *help = bar->addMenu(captionFor(wording, kHelpMenu, u"&Help"));
    help->setObjectName(QString::fromUtf16(kHelpMenu));
    for (const MakerEntry &entry : kEntries) {
        auto *action = new QAction(captionFor(wording, entry.name, entry.caption), window);
        action->setObjectName(QString::fromUtf16(entry.name));
        if (entry.where == Where::HelpMenu) {
            if (entry.separatorBefore)
                help->addSeparator();
            help->addAction(action);
        } else {
            bar->addAction(action);
        }
        if (entry.page) {
            const QStringView page(entry.page);
            QObject::connect(action, &QAction::triggered, window, [&platform, page] { OpenMakerPage(platform, page); });
        } else {
            QObject::connect(action, &QAction::triggered, window, showAbout);
        }
    }
    return help;
}

} // namespace kesto
