// A small document kind for the application-layer tests: a document that
// stores a list of serial items, with switches that make its Serialize fail
// part-way, and a reporter capture that records what the framework tells the
// user instead of showing it.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

class CTestItem : public CObject
{
    DECLARE_SERIAL(CTestItem)
public:
    CTestItem() = default;
    CTestItem(LPCSTR lpszName, LONG lValue) : m_strName(lpszName), m_lValue(lValue) {}
    void Serialize(CArchive& ar) override;

    CString m_strName;
    LONG m_lValue = 0;
};

class CTestDoc : public CDocument
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    enum FailureKind { failNone, failArchiveException, failStdException };

    CTestDoc();
    ~CTestDoc() override;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    void OnCloseDocument() override;

    void AddItem(LPCSTR lpszName, LONG lValue);
    // "name=value;..." of the items, for comparisons.
    std::string Describe() const;

    std::vector<CTestItem*> m_items; // owned
    // When storing, fail after writing this many items.
    FailureKind m_failure = failNone;
    int m_nFailAfterItems = 0;

    static int s_nLiveDocuments;
    static int s_nCloses; // calls of OnCloseDocument
};

// The frame and view that the window tests put around a CTestDoc.
class CTestFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CTestFrame)
};

class CTestView : public CView
{
    DECLARE_DYNCREATE(CTestView)
protected:
    void OnDraw(CDC* /*pDC*/) override {}
};

// Records every message the framework reports while it lives, and answers
// with a fixed button.
class CReporterCapture
{
public:
    explicit CReporterCapture(int nAnswer = IDOK);
    ~CReporterCapture();

    struct Message {
        std::string text;
        UINT nType;
    };
    std::vector<Message> m_messages;

private:
    AFX_MESSAGE_REPORTER m_previous;
};

// All names in a folder, hidden ones included, sorted.
std::vector<std::string> ListFolder(const std::string& folder);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
