#pragma once
// The program as a test holds it: a fake platform that answers from a temporary program
// folder, and the session and shell on top of it.
#include "fakeplatform.h"
#include "testfolder.h"
#include "core/session/session.h"
#include "ui/shell/shell.h"

#include <functional>

namespace kesto::test {

// The fake platform with a look at the screens at the moment the program pauses.
class PausingPlatform : public FakePlatform
{
public:
    void pause(int milliseconds) override
    {
        if (onPause)
            onPause();
        FakePlatform::pause(milliseconds);
    }
    std::function<void()> onPause;
};

template<typename PlatformType>
struct BasicAppFixture
{
    PlatformType platform;
    TestFolder folder;
    // The user's own data folder: the reading journal lives here.
    TestFolder userData{false};
    Session session{platform};
    Shell shell{session};

    BasicAppFixture()
    {
        platform.folder = folder.path();
        session.journal.setFolder(userData.filePath(QStringLiteral("kesto")));
    }
};

using AppFixture = BasicAppFixture<FakePlatform>;

} // namespace kesto::test
