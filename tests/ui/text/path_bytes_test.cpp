// The bytes of a path that Qt gives as text.
#include <QFile>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"
#include "ui/text/path_bytes.h"

namespace {

using chronell::pathBytes;
using chronell::test::TempFolder;

// The path as Qt reads it, as its directory dialog gives it.
QString readByQt(const std::string& bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

TEST(PathBytes, NamesThatAreNotUtf8AreFoundAgainInTheirFolders)
{
    TempFolder folder;
    const std::string latin = folder.file("caf\xE9");
    const std::string nested = latin + "/\xFF\xFE sub";
    std::filesystem::create_directories(nested);
    std::filesystem::create_directory(folder.file("caf\xC3\xA9"));  // another name, read differently

    for (const std::string& bytes : {latin, nested}) {
        ASSERT_TRUE(readByQt(bytes).contains(QChar::ReplacementCharacter)) << bytes;
        EXPECT_EQ(pathBytes(readByQt(bytes)), bytes);
    }
    EXPECT_EQ(pathBytes(readByQt(folder.file("caf\xC3\xA9"))), folder.file("caf\xC3\xA9"));
    // A name not found goes as the UTF-8 of its text.
    EXPECT_EQ(pathBytes(QString::fromStdString(folder.string()) + QStringLiteral("/gone\uFFFD")),
              folder.file("gone\xEF\xBF\xBD"));
}

} // namespace
