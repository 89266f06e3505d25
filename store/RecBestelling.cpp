#include "store/RecBestelling.h"

CRecBestelling::CRecBestelling(CDaoDatabase* pDatabase)
    : CRecDocument("Bestelling", "<Nieuwe Bestelling>", RelatieVoorKontakt, 8, pDatabase) {}
