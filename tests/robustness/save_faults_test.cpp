// Saving onto a disk that fills up half-way, or into a folder that turns read-only between two
// saves: the file on disk is always the old one or the new one, whole, never a mix or a stub,
// and no temporary file is left behind.
#include "app/compile_command.h"
#include "platform/qt/modal_script.h"
#include "robustness_support.h"
#include "support/page_parts.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace robustness;

namespace {

constexpr std::size_t kDiskBytes = 1024 * 1024;

#define NEED_RAM_DISK(disk)                                                                        \
    if (!(disk).Mounted())                                                                         \
    GTEST_SKIP() << "needs a RAM disk of its own (" << (disk).Why() << ")"

class DocumentSave : public ::testing::Test {
protected:
    // Fills the control with a message of about `bytes` and returns what a save writes.
    std::string Fill(std::size_t bytes) {
        StreamIn(doc.m_view, GenerateMessage(bytes));
        TypeAtEnd(doc.m_view, "edited");
        return StreamOut(doc.m_view);
    }

    CTestApp app;
    CModalScript script;
    CControlDoc doc;
};

} // namespace

TEST_F(DocumentSave, aDiskFullHalfWayKeepsTheOldFileWholeAndReportsWhy) {
    CRamDisk disk(kDiskBytes);
    NEED_RAM_DISK(disk);
    const std::string path = disk.PathOf("message.rtf");

    const std::string first = Fill(20 * 1024);
    ASSERT_TRUE(doc.DoSave(path));
    ASSERT_EQ(ReadFile(path), first);

    const std::string second = Fill(200 * 1024);
    ASSERT_TRUE(disk.FillLeaving(second.size() / 2));
    script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.DoSave(path));
    EXPECT_EQ(ReadFile(path), first);
    EXPECT_TRUE(doc.IsModified()) << "a failed save must not mark the message saved";
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_TRUE(script.Last().text.contains(QStringLiteral("No space left on device")))
        << script.Last().text.toStdString();
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"filler", "message.rtf"}));

    // Once there is room again the next save writes the whole new message.
    disk.RemoveFiller();
    EXPECT_TRUE(doc.DoSave(path));
    EXPECT_EQ(ReadFile(path), second);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"message.rtf"}));
}

TEST_F(DocumentSave, aFirstSaveOntoAFullDiskLeavesNoFileAtAll) {
    CRamDisk disk(kDiskBytes);
    NEED_RAM_DISK(disk);
    const std::string path = disk.PathOf("message.rtf");
    const std::string message = Fill(100 * 1024);
    ASSERT_TRUE(disk.FillLeaving(message.size() / 2));
    script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.DoSave(path));
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"filler"}));
    EXPECT_TRUE(doc.GetPathName().empty())
        << "the document must not take a name it was not saved under";
}

TEST_F(DocumentSave, aFolderTurnedReadOnlyBetweenTwoSavesKeepsTheFirstSave) {
    CRamDisk disk(kDiskBytes);
    NEED_RAM_DISK(disk);
    const std::string path = disk.PathOf("message.rtf");

    const std::string first = Fill(30 * 1024);
    ASSERT_TRUE(doc.DoSave(path));
    ASSERT_TRUE(disk.SetReadOnly(true));

    const std::string second = Fill(60 * 1024);
    script.Push(CModalScript::Button(QMessageBox::Ok));
    EXPECT_FALSE(doc.DoSave(path));
    EXPECT_EQ(ReadFile(path), first);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_TRUE(script.Last().text.contains(QStringLiteral("message.rtf")));

    ASSERT_TRUE(disk.SetReadOnly(false));
    EXPECT_TRUE(doc.DoSave(path));
    EXPECT_EQ(ReadFile(path), second);
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"message.rtf"}));
}

namespace {

int Compile(const std::string& input, const std::string& output, std::string& err) {
    std::ostringstream out, errors;
    const int code = RunCompileCommand({"--compile", input, "--raw", "-o", output}, out, errors);
    err = errors.str();
    return code;
}

} // namespace

TEST(CompileOutput, aDiskFullHalfWayKeepsTheOldPageWhole) {
    CRamDisk disk(kDiskBytes);
    NEED_RAM_DISK(disk);
    QTemporaryDir inputs;
    const std::string small = inputs.filePath(QStringLiteral("small.rtf")).toStdString();
    const std::string large = inputs.filePath(QStringLiteral("large.rtf")).toStdString();
    ASSERT_TRUE(WriteFile(small, GenerateMessage(10 * 1024)));
    ASSERT_TRUE(WriteFile(large, GenerateMessage(300 * 1024)));
    const std::string page = disk.PathOf("page.htm");
    std::string err;

    ASSERT_EQ(Compile(small, page, err), 0) << err;
    const std::string first = ReadFile(page);
    ASSERT_EQ(first.back(), '\0');

    // The large page is about as long as its RTF; half of it fits.
    ASSERT_TRUE(disk.FillLeaving(150 * 1024));
    EXPECT_EQ(Compile(large, page, err), 1);
    EXPECT_NE(err.find("No space left on device"), std::string::npos) << err;
    EXPECT_EQ(ReadFile(page), first);
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"filler", "page.htm"}));

    disk.RemoveFiller();
    ASSERT_EQ(Compile(large, page, err), 0) << err;
    const std::string second = ReadFile(page);
    EXPECT_GT(second.size(), 150u * 1024) << "the test must overflow the space it left";
    EXPECT_EQ(second.back(), '\0');
    EXPECT_TRUE(testing_support::EndsAsAPage(second.substr(0, second.size() - 1)));
}

TEST(CompileOutput, aFolderTurnedReadOnlyBetweenTwoCompilesKeepsTheFirstPage) {
    CRamDisk disk(kDiskBytes);
    NEED_RAM_DISK(disk);
    QTemporaryDir inputs;
    const std::string input = inputs.filePath(QStringLiteral("m.rtf")).toStdString();
    ASSERT_TRUE(WriteFile(input, GenerateMessage(10 * 1024)));
    const std::string page = disk.PathOf("page.htm");
    std::string err;
    ASSERT_EQ(Compile(input, page, err), 0) << err;
    const std::string first = ReadFile(page);

    ASSERT_TRUE(WriteFile(input, GenerateMessage(20 * 1024)));
    ASSERT_TRUE(disk.SetReadOnly(true));
    EXPECT_EQ(Compile(input, page, err), 1);
    EXPECT_NE(err.find("Read-only file system"), std::string::npos) << err;
    EXPECT_EQ(ReadFile(page), first);

    ASSERT_TRUE(disk.SetReadOnly(false));
    ASSERT_EQ(Compile(input, page, err), 0) << err;
    EXPECT_NE(ReadFile(page), first);
    EXPECT_EQ(disk.Names(), (std::vector<std::string>{"page.htm"}));
}
