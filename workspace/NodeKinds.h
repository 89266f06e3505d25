#pragma once

// What a workspace tree node stands for. The record commands decide everything from this
// code and the node's number, so the values are fixed.
enum NodeKind : int {
    NODE_RELATIE = 1,
    NODE_PERSONEN = 2,
    NODE_PERSOON = 3,
    NODE_RELATIEMEMOS = 4,
    NODE_RELATIEMEMO = 5,
    NODE_OFFERTES = 6,
    NODE_TEVERSTUREN = 7,
    NODE_VERSTUURD = 8,
    NODE_POSITIEF = 9,
    NODE_VERVALLEN = 10,
    NODE_OFFERTE_TEVERSTUREN = 11,
    NODE_OFFERTE_VERSTUURD = 12,
    NODE_OFFERTE_POSITIEF = 13,
    NODE_OFFERTE_VERVALLEN = 14,
    NODE_OFFERTEMEMOS = 15,
    NODE_OFFERTEMEMO = 16,
    NODE_ORDERS = 17,
    NODE_ORDER = 18,
    NODE_ORDERMEMOS = 19,
    NODE_ORDERMEMO = 20,
    NODE_CALCULATIES = 21,
    NODE_CALCULATIE = 22,
    NODE_CALCULATIEMEMOS = 23,
    NODE_CALCULATIEMEMO = 24,
    NODE_BESTELLINGEN = 25,
    NODE_BESTELLING = 26,
    NODE_BESTELLINGMEMOS = 27,
    NODE_BESTELLINGMEMO = 28,
};

// Cells of the tree's image strip. Cells 10, 18 and 19 are spare.
enum NodeImage : int {
    IMG_RELATIE = 0,
    IMG_PERSONEN = 1,
    IMG_PERSOON = 2,
    IMG_MEMOS = 3,
    IMG_MEMO = 4,
    IMG_OFFERTES = 5,
    IMG_TEVERSTUREN = 6,
    IMG_VERSTUURD = 7,
    IMG_POSITIEF = 8,
    IMG_VERVALLEN = 9,
    IMG_CALCULATIES = 11,
    IMG_CALCULATIE = 12,
    IMG_OFFERTE = 13,
    IMG_ORDERS = 14,
    IMG_ORDER = 15,
    IMG_BESTELLINGEN = 16,
    IMG_BESTELLING = 17,
};

// Nodes that stand for a record of their own (and open its edit dialog); every other kind
// is a folder.
constexpr bool IsRecordKind(int nKind) {
    switch (nKind) {
    case NODE_RELATIE:
    case NODE_PERSOON:
    case NODE_RELATIEMEMO:
    case NODE_OFFERTE_TEVERSTUREN:
    case NODE_OFFERTE_VERSTUURD:
    case NODE_OFFERTE_POSITIEF:
    case NODE_OFFERTE_VERVALLEN:
    case NODE_OFFERTEMEMO:
    case NODE_ORDER:
    case NODE_ORDERMEMO:
    case NODE_CALCULATIE:
    case NODE_CALCULATIEMEMO:
    case NODE_BESTELLING:
    case NODE_BESTELLINGMEMO:
        return true;
    default:
        return false;
    }
}
