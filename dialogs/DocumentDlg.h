#pragma once

#include "platform/ui/Dialog.h"

#include <functional>

class CRecDocument;

// The control ids of one business-document dialog; each kind of document has its own.
struct DocumentIds {
    int nummer;
    int creatieDatum;
    int modificatieDatum;
    int omschrijving;
    int document;
    int documentKiezen;
    int soortDocument;
    int relatie;
    int relatieKiezen;
    int kontaktPersoon;
    int persoonKiezen;
    int relatieKort;
    int editDoc;
};

// What the quotation, calculation, order and purchase-order dialogs share. Each edits its
// document in place on the caller's recordset: the boxes exchange with the fields, and the
// buttons change the relation, the contact person and the linked file directly in the edit
// buffer, so that the caller's Cancel abandons them along with everything else. A relation
// can be chosen while none is linked; once one is, it stays.
class CDocumentDlg : public CDialog {
    Q_OBJECT
public:
    // The file types the document picker offers.
    static const QString kDocumentFilter;

    void OnOK() override;

    QString m_strRelatieNaam;
    QString m_strRelatieKort;

protected:
    CDocumentDlg(const DocumentIds& ids, const QString& strGeenRelatie, QWidget* parent);

    virtual CRecDocument* Document() const = 0;
    // Applies the enabled states that follow from the fields, after every exchange.
    virtual void PasToestandAan();

    // Connects the buttons and readies the kind box; call once the template is set up.
    void VerbindKnoppen();
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnDocumentKiezen();
    void OnRelatieKiezen();
    void OnPersoonKiezen();
    void OnEditDoc();
    // Runs handler, inside the dispatch guard, when the button with that id is clicked.
    void Verbind(int id, std::function<void()> handler);

private:
    void ZoekRelatie();
    void ToonRelatie(const QString& naam, const QString& kort);

    DocumentIds m_ids;
    QString m_strGeenRelatie;
};
