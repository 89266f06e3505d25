#include "store/RecOrder.h"

CRecOrder::CRecOrder(CDaoDatabase* pDatabase)
    : CRecDocument("Orders", "<Nieuwe Order>", RelatieVoorKontakt, 8, pDatabase) {}
