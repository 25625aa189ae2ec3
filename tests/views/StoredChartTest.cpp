// Charts opened from stored files, the hostile ones included: whatever a
// file that loads puts into the blocks (headers that disagree with the
// values, unknown flag bits, names with odd bytes), drawing, the readout and
// the keys must stay within the blocks and the plot's arithmetic.
#include "ViewTestSupport.h"

#include "tests/support/ArchiveErrorExpect.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <string>

namespace
{

class StoredChartTest : public ChartViewTest
{
protected:
    // Loads the file into the chart's document; FALSE when the file is refused.
    bool LoadInto(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray data = file.readAll();
        std::vector<BYTE> bytes(data.begin(), data.end());
        return ArchiveErrorExpect::CauseOf([&] {
                   CMemFile memFile(bytes);
                   CArchive ar(&memFile, CArchive::load);
                   m_pDoc->Serialize(ar);
               }) == ArchiveErrorExpect::nNoException;
    }

    // Every stored race selected and every statistic shown.
    void ShowEverything()
    {
        CManBi* pRaces = m_pDoc->GetRaces();
        if (pRaces == nullptr)
            return;
        CDimPtr items;
        pRaces->GetItems(items);
        CStringList names;
        for (int i = 0; i < items.GetSize(); ++i)
            names.AddTail(static_cast<CRace*>(items.GetAt(i))->GetKey());
        m_pDoc->AddSelectedRaces(names);
        // Every statistic and the changed bit on; bits a file set beyond
        // them stay as stored.
        m_pDoc->ToggleFlags(~m_pDoc->ToggleFlags(0) & (g_lStatFlagsAll | CKurvoDoc::flagChanged));
    }

    void ExerciseView()
    {
        SetPlot(400, 300, 20);
        Render();
        m_pView->SendMessage(WM_SETFOCUS);
        for (int x : {0, 1, 57, 199, 398}) {
            for (int y : {0, 150, 299}) {
                m_pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
                const CPoint pt = ToScreen(x, y);
                SetCursorPos(pt.x, pt.y);
                Tick(5);
            }
        }
        for (UINT nKey : {VK_ADD, VK_ADD, VK_SUBTRACT, VK_SUBTRACT, VK_SUBTRACT, VK_ADD})
            m_pView->SendMessage(WM_KEYUP, nKey, 0);
        Render();
    }
};

TEST_F(StoredChartTest, EveryCorpusFileThatLoadsDrawsAndReadsSafely)
{
    const char* pszSource = getenv("KURVO_SOURCE_DIR");
    ASSERT_NE(pszSource, nullptr);
    const QDir corpus(QString(pszSource) + "/fuzz/kv-corpus");
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    int nLoaded = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        TearDown();
        SetUp();
        if (!LoadInto(corpus.filePath(name)))
            continue;
        ++nLoaded;
        ShowEverything();
        ExerciseView();
    }
    EXPECT_GT(nLoaded, 3);
}

} // namespace
