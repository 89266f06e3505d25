#include "store/RecCalculatie.h"

CRecCalculatie::CRecCalculatie(CDaoDatabase* pDatabase)
    : CRecDocument("Calculaties", "<Nieuwe Calculatie>", KontaktVoorRelatie, 8, pDatabase) {}
