#pragma once

#include "testpaths.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

// Root writes anywhere, so what an organiser without the right to write sees
// can only be tested without root's rights. Run as root, a test built with
// NUMERELLA_UNPRIVILEGED_MAIN copies what it reads from the build into a
// folder of its own, then becomes "nobody" for good. Run as anyone else, it
// runs as it is.
namespace Unprivileged {

inline std::string stage;

[[noreturn]] inline void fail(const char* what)
{
    std::perror(what);
    std::abort();
}

inline void becomeNobody()
{
    if (::geteuid() != 0)
        return;
    namespace fs = std::filesystem;
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 65534;
    const gid_t gid = nobody ? nobody->pw_gid : 65534;
    char pattern[] = "/tmp/numerella-nobody-XXXXXX";
    if (!::mkdtemp(pattern))
        fail("mkdtemp");
    stage = pattern;
    fs::create_directory(stage + "/bin");
    fs::create_directory(stage + "/home");
    fs::create_directory(stage + "/runtime");
    fs::permissions(stage + "/runtime", fs::perms::owner_all);
    for (const char* name : {"Loto1.dat", "LOTO2.DAT", "Loto.hlp"})
        fs::copy_file(TestPaths::builtDir + '/' + name, stage + "/bin/" + name);
    fs::copy(TestPaths::fixturesDir, stage + "/fixtures", fs::copy_options::recursive);
    for (const auto& entry : fs::recursive_directory_iterator(stage))
        if (::lchown(entry.path().c_str(), uid, gid) != 0)
            fail("lchown");
    if (::chown(stage.c_str(), uid, gid) != 0)
        fail("chown");
    TestPaths::builtDir = stage + "/bin";
    TestPaths::fixturesDir = stage + "/fixtures";
    ::setenv("HOME", (stage + "/home").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (stage + "/runtime").c_str(), 1);
    for (const char* xdg : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        ::unsetenv(xdg);
    if (::chdir(stage.c_str()) != 0)
        fail("chdir");
    if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
        fail("giving root's rights up");
    // LeakSanitizer must still be able to look into the process.
    ::prctl(PR_SET_DUMPABLE, 1);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(stage, ignored);
    });
}

} // namespace Unprivileged

#define NUMERELLA_UNPRIVILEGED_MAIN(TestObject)                                                    \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        Unprivileged::becomeNobody();                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject test;                                                                           \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
