#pragma once
// The field tables of the register files, for the code that decodes and
// encodes them (registers.cpp) and the code that searches them
// (register_snapshot.cpp). Each record type lists its fields once, with the
// member that holds each; both directions walk that one table. Internal to
// the data layer.

#include <array>

#include "core/data/record_fields.h"
#include "core/data/record_layout.h"
#include "core/data/registers.h"

namespace talmorek::data {

namespace okrsky {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout NazevObce = strField("NazevObce", 7, 40);
constexpr FieldLayout OkrsekOd = strField("OkrsekOd", 48, 5);
constexpr FieldLayout OkrsekDo = strField("OkrsekDo", 54, 5);
constexpr FieldLayout KodOkresu = strField("KodOkresu", 60, 4);
constexpr FieldLayout NazevOkresu = strField("NazevOkresu", 65, 25);
}  // namespace f
constexpr std::array kFields = {
    bound(f::KodObce, &TOkrsky::KodObce),
    bound(f::NazevObce, &TOkrsky::NazevObce),
    bound(f::OkrsekOd, &TOkrsky::OkrsekOd),
    bound(f::OkrsekDo, &TOkrsky::OkrsekDo),
    bound(f::KodOkresu, &TOkrsky::KodOkresu),
    bound(f::NazevOkresu, &TOkrsky::NazevOkresu),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize));
}  // namespace okrsky

namespace psrzvo {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Nazev1 = strField("Nazev1", 12, 25);
constexpr FieldLayout Nazev2 = strField("Nazev2", 38, 25);
}  // namespace f
constexpr std::array kFields = {
    bound(f::KodObce, &TPsrzvo::KodObce),
    bound(f::CisloOkrsku, &TPsrzvo::CisloOkrsku),
    bound(f::Nazev1, &TPsrzvo::Nazev1),
    bound(f::Nazev2, &TPsrzvo::Nazev2),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize));
}  // namespace psrzvo

namespace psrvok {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Volicu = intField("Volicu", 12);
}  // namespace f
constexpr std::array kFields = {
    bound(f::KodObce, &TPsrvok::KodObce),
    bound(f::CisloOkrsku, &TPsrvok::CisloOkrsku),
    bound(f::Volicu, &TPsrvok::Volicu),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize));
}  // namespace psrvok

namespace strany {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout NazevStrany = strField("NazevStrany", 4, 50);
constexpr FieldLayout PocetKandidatu = strField("PocetKandidatu", 55, 2);
}  // namespace f
constexpr std::array kFields = {
    bound(f::CisloStrany, &TStrana::CisloStrany),
    bound(f::NazevStrany, &TStrana::NazevStrany),
    bound(f::PocetKandidatu, &TStrana::PocetKandidatu),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize));
}  // namespace strany

namespace kandidat {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout Poradi = strField("Poradi", 4, 2);
constexpr FieldLayout Jmeno1 = strField("Jmeno1", 7, 40);
constexpr FieldLayout Jmeno2 = strField("Jmeno2", 48, 40);
constexpr FieldLayout Priznak = strField("Priznak", 89, 1);
}  // namespace f
constexpr std::array kFields = {
    bound(f::CisloStrany, &TKandidat::CisloStrany),
    bound(f::Poradi, &TKandidat::Poradi),
    bound(f::Jmeno1, &TKandidat::Jmeno1),
    bound(f::Jmeno2, &TKandidat::Jmeno2),
    bound(f::Priznak, &TKandidat::Priznak),
};
constexpr auto kLayouts = layoutsOf(kFields);
static_assert(bindsByKind(kFields));
static_assert(isPacked(kLayouts, kRecordSize));
}  // namespace kandidat

}  // namespace talmorek::data
