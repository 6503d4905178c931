// The panel's files: nothing outside the folder, nothing the panel does not use.

#include "web/server/StaticFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tonel::testing {
namespace {

using web::StaticFiles;

TEST(StaticFiles, ServesOnlySafeNamesOfKnownKinds)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tonel-static-test";
    std::filesystem::create_directories(folder / "js");
    std::ofstream(folder / "index.html") << "<!doctype html>";
    std::ofstream(folder / "js" / "app.js") << "let a;";
    std::ofstream(folder / "notes.txt") << "private";
    std::ofstream(folder / ".hidden.js") << "private";
    const StaticFiles files(folder.string());

    const auto index = files.serve("/");
    ASSERT_TRUE(index);
    EXPECT_EQ(index->body, "<!doctype html>");
    EXPECT_EQ(index->contentType, "text/html; charset=utf-8");
    EXPECT_EQ(files.serve("/js/app.js")->contentType, "text/javascript; charset=utf-8");
    for (const char* path : {"/notes.txt", "/.hidden.js", "/../etc/passwd.js", "/js/../index.html", "//index.html",
                             "/js/", "/missing.js", "/index.html%00.js", "/js\\app.js"})
        EXPECT_FALSE(files.serve(path)) << path;
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tonel::testing
