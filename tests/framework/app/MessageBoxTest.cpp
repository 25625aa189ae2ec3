// AfxMessageBox in a headless run: the reporter can be replaced and put
// back, and the default one writes UTF-8 to stderr and answers as Enter would.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace
{

TEST(MessageBox, ReplacedReporterReceivesTextAndTypeUntilRestored)
{
    std::vector<std::string> seen;
    AFX_MESSAGE_REPORTER previous = AfxSetMessageReporter([&](const CString& strText, UINT nType) {
        seen.push_back(strText.str() + "/" + std::to_string(nType));
        return IDNO;
    });
    EXPECT_EQ(AfxMessageBox("Question?", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(AfxMessageBox(static_cast<LPCSTR>(nullptr)), IDNO);
    AFX_MESSAGE_REPORTER mine = AfxSetMessageReporter(previous);
    ASSERT_TRUE(bool(mine));
    EXPECT_EQ(seen, (std::vector<std::string>{"Question?/36", "/0"}));

    // Restoring the one handed back earlier stops the deliveries.
    testing::internal::CaptureStderr();
    AfxMessageBox("after");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(seen.size(), 2u);
}

TEST(MessageBox, DefaultReporterWritesUtf8ToStderrAndAnswersWithTheDefaultButton)
{
    AFX_MESSAGE_REPORTER previous = AfxSetMessageReporter(AFX_MESSAGE_REPORTER());
    testing::internal::CaptureStderr();
    const int nAnswer = AfxMessageBox("\xC4\xE0 file", MB_YESNOCANCEL | MB_DEFBUTTON2);
    const std::string err = testing::internal::GetCapturedStderr();
    AfxSetMessageReporter(previous);
    EXPECT_EQ(nAnswer, IDNO);
    EXPECT_EQ(err, "\xD0\x94\xD0\xB0 file\n"); // "Да" from Windows-1251
}

TEST(MessageBox, DefaultAnswerFollowsTheDefaultButton)
{
    const struct {
        UINT nType;
        int nAnswer;
    } rows[] = {
        {MB_OK, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_OK | MB_DEFBUTTON3, IDOK}, // no third button: the first one
    };
    for (const auto& row : rows)
        EXPECT_EQ(AfxGetDefaultMessageAnswer(row.nType), row.nAnswer) << row.nType;
}

} // namespace
