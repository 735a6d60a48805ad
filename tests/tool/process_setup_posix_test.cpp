// The tool's process: a file-size limit is a failed write, not a kill, and
// Qt finds a private runtime directory when the session gives none.

#include "tool/process_setup.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace talmorek::tool {
namespace {

TEST(ProcessSetup, WithoutARuntimeDirectoryQtGetsAPrivateOne) {
    const char* before = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = before ? before : "";
    ::unsetenv("XDG_RUNTIME_DIR");
    prepareProcess();
    const char* set = std::getenv("XDG_RUNTIME_DIR");
    ASSERT_NE(set, nullptr);
    struct stat st;
    ASSERT_EQ(::lstat(set, &st), 0) << set;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::getuid());
    // A second run finds it and takes it again.
    EXPECT_EQ(privateRuntimeDirectory(), set);
    if (before) ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

TEST(ProcessSetup, AGivenRuntimeDirectoryIsKept) {
    ::setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    prepareProcess();
    EXPECT_STREQ(std::getenv("XDG_RUNTIME_DIR"), "/run/user/4242");
}

TEST(ProcessSetup, AFileSizeLimitDoesNotKill) {
    prepareProcess();
    struct sigaction action {};
    ASSERT_EQ(::sigaction(SIGXFSZ, nullptr, &action), 0);
    EXPECT_EQ(action.sa_handler, SIG_IGN);
}

}  // namespace
}  // namespace talmorek::tool
