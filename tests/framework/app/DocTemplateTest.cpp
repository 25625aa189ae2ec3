// Document templates without windows: their strings, which come from the
// module that constructed them, their document lists and the walk a plug-in
// uses to find its open document, and the application object that owns them.
#include "AppTestSupport.h"

#include <gtest/gtest.h>

namespace
{

const char kDocString[] = "\nKurvo\nKurvo\n\n.kv\nPlugin\nPlugin";
const UINT kTemplateId = 3;

// Another module's framework state with its own string table, as a plug-in has.
class CForeignModule
{
public:
    explicit CForeignModule(LPCSTR lpszDocString) : m_state("foreign")
    {
        const AFX_STRING_RESOURCE entries[] = {{kTemplateId, lpszDocString}};
        m_state.AddStrings(1033, entries, 1);
        m_state.AddStrings(1049, entries, 1);
    }
    AFX_MODULE_STATE m_state;
};

// Counts its destruction, to see who deletes templates.
class CCountedTemplate : public CMultiDocTemplate
{
public:
    explicit CCountedTemplate(int* pnDeleted)
        : CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(CTestDoc), nullptr, nullptr),
          m_pnDeleted(pnDeleted)
    {
    }
    ~CCountedTemplate() override { ++*m_pnDeleted; }

private:
    int* m_pnDeleted;
};

CMultiDocTemplate* NewTestTemplate()
{
    return new CMultiDocTemplate(kTemplateId, RUNTIME_CLASS(CTestDoc), nullptr, nullptr);
}

// The plug-in's lookup of its open document: first template, first document.
CDocument* FindFirstDocument(const CWinApp& app)
{
    POSITION pos = app.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = app.GetNextDocTemplate(pos);
    if (pTemplate == nullptr)
        return nullptr;
    POSITION docPos = pTemplate->GetFirstDocPosition();
    return docPos != nullptr ? pTemplate->GetNextDoc(docPos) : nullptr;
}

TEST(DocTemplateStrings, ComeFromTheModuleCurrentAtConstruction)
{
    CForeignModule plugin(kDocString);
    CForeignModule host("\nHost\nHost\n\n.txt\nHost\nHost");
    CMultiDocTemplate* pTemplate = nullptr;
    {
        AFX_MAINTAIN_STATE pluginState(&plugin.m_state);
        pTemplate = NewTestTemplate();
    }
    AFX_MAINTAIN_STATE hostState(&host.m_state);
    CWinApp app; // registering loads the strings again, now in the host's state
    app.AddDocTemplate(pTemplate);
    EXPECT_EQ(pTemplate->GetModuleState(), &plugin.m_state);

    const struct {
        CDocTemplate::DocStringIndex index;
        const char* pszExpected;
    } rows[] = {
        {CDocTemplate::windowTitle, ""},           {CDocTemplate::docName, "Kurvo"},
        {CDocTemplate::fileNewName, "Kurvo"},      {CDocTemplate::filterName, ""},
        {CDocTemplate::filterExt, ".kv"},          {CDocTemplate::regFileTypeId, "Plugin"},
        {CDocTemplate::regFileTypeName, "Plugin"},
    };
    for (const auto& row : rows) {
        CString strField("junk");
        EXPECT_TRUE(pTemplate->GetDocString(strField, row.index)) << int(row.index);
        EXPECT_EQ(strField.str(), row.pszExpected) << int(row.index);
    }
}

TEST(DocTemplateStrings, MissingOrShortStringGivesNoFieldAndAnUntitledTitle)
{
    CForeignModule shortString("\nKurvo");
    CForeignModule noString("");
    CMultiDocTemplate* pShort = nullptr;
    CMultiDocTemplate* pNone = nullptr;
    {
        AFX_MAINTAIN_STATE state(&shortString.m_state);
        pShort = NewTestTemplate();
    }
    {
        AFX_MAINTAIN_STATE state(&noString.m_state);
        pNone = new CMultiDocTemplate(99, RUNTIME_CLASS(CTestDoc), nullptr, nullptr);
    }
    CString strField;
    EXPECT_TRUE(pShort->GetDocString(strField, CDocTemplate::docName));
    EXPECT_EQ(strField.str(), "Kurvo");
    EXPECT_FALSE(pShort->GetDocString(strField, CDocTemplate::filterExt));
    EXPECT_TRUE(strField.IsEmpty());

    CTestDoc doc;
    pShort->SetDefaultTitle(&doc);
    EXPECT_EQ(doc.GetTitle().str(), "Kurvo1");
    pNone->SetDefaultTitle(&doc);
    EXPECT_EQ(doc.GetTitle().str(), "Untitled");
    delete pShort;
    delete pNone;
}

TEST(DocTemplateDocuments, FirstDocumentWalkFollowsOpeningOrder)
{
    CForeignModule plugin(kDocString);
    AFX_MAINTAIN_STATE state(&plugin.m_state);
    CWinApp app;
    EXPECT_EQ(FindFirstDocument(app), nullptr) << "no template yet";
    CMultiDocTemplate* pTemplate = NewTestTemplate();
    app.AddDocTemplate(pTemplate);
    CMultiDocTemplate* pSecond = NewTestTemplate();
    app.AddDocTemplate(pSecond);
    EXPECT_EQ(FindFirstDocument(app), nullptr) << "no document yet";

    CDocument* pOther = pSecond->CreateNewDocument(); // only the first template counts
    CDocument* pFirst = pTemplate->CreateNewDocument();
    CDocument* pLater = pTemplate->CreateNewDocument();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->GetDocTemplate(), pTemplate);
    EXPECT_EQ(FindFirstDocument(app), pFirst);
    EXPECT_EQ(app.m_pDocManager->GetDocumentCount(), 3);

    delete pFirst; // a deleted document leaves its template's list
    EXPECT_EQ(FindFirstDocument(app), pLater);
    delete pLater;
    EXPECT_EQ(FindFirstDocument(app), nullptr);
    delete pOther;
}

TEST(DocTemplateDocuments, MatchDocTypeRanksOpenDocumentsThenExtension)
{
    CForeignModule plugin(kDocString);
    AFX_MAINTAIN_STATE state(&plugin.m_state);
    CMultiDocTemplate* pTemplate = NewTestTemplate();
    CDocument* pDoc = pTemplate->CreateNewDocument();
    pDoc->SetPathName("/tmp/open.kv", FALSE);

    CDocument* pMatch = nullptr;
    EXPECT_EQ(pTemplate->MatchDocType("/tmp/open.kv", pMatch), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(pMatch, pDoc);
    EXPECT_EQ(pTemplate->MatchDocType("/tmp/other.KV", pMatch), CDocTemplate::yesAttemptNative);
    EXPECT_EQ(pMatch, nullptr);
    EXPECT_EQ(pTemplate->MatchDocType("/tmp/other.txt", pMatch), CDocTemplate::yesAttemptForeign);

    // A template deleted before its documents leaves them without a template.
    delete pTemplate;
    EXPECT_EQ(pDoc->GetDocTemplate(), nullptr);
    delete pDoc;
}

TEST(DocTemplateDocuments, ClassThatIsNotADocumentIsRefusedAndReported)
{
    CReporterCapture reports;
    CMultiDocTemplate notADocument(kTemplateId, RUNTIME_CLASS(CTestItem), nullptr, nullptr);
    EXPECT_EQ(notADocument.CreateNewDocument(), nullptr);
    EXPECT_EQ(notADocument.GetFirstDocPosition(), nullptr);
    ASSERT_EQ(reports.m_messages.size(), 1u);
    EXPECT_NE(reports.m_messages[0].text.find("CTestItem"), std::string::npos);
}

TEST(ApplicationObject, RegistersWithTheStateCurrentAtConstructionAndOwnsTemplates)
{
    CForeignModule plugin(kDocString);
    int nDeleted = 0;
    CWinApp* pApp = nullptr;
    {
        AFX_MAINTAIN_STATE state(&plugin.m_state);
        pApp = new CWinApp("Chart");
        EXPECT_EQ(AfxGetApp(), pApp);
        pApp->AddDocTemplate(new CCountedTemplate(&nDeleted));
        pApp->AddDocTemplate(new CCountedTemplate(&nDeleted));
    }
    EXPECT_NE(AfxGetApp(), pApp) << "another module's state is current again";
    EXPECT_EQ(plugin.m_state.m_pCurrentWinApp, pApp);
    EXPECT_STREQ(pApp->m_pszAppName, "Chart");

    delete pApp;
    EXPECT_EQ(nDeleted, 2);
    EXPECT_EQ(plugin.m_state.m_pCurrentWinApp, nullptr);
}

TEST(ApplicationObject, WithoutTemplatesNewAndOpenFailWithAMessage)
{
    CForeignModule plugin(kDocString);
    AFX_MAINTAIN_STATE state(&plugin.m_state);
    CReporterCapture reports;
    CWinApp app;
    EXPECT_EQ(app.GetFirstDocTemplatePosition(), nullptr);
    EXPECT_EQ(app.OnFileNew(), nullptr);
    EXPECT_EQ(app.OpenDocumentFile("/tmp/x.kv"), nullptr);
    EXPECT_EQ(reports.m_messages.size(), 2u);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

} // namespace
