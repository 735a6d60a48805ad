#pragma once
// The field tables of the register files, for the code that decodes them
// (registers.cpp) and the code that searches them (register_snapshot.cpp).
// Internal to the data layer.

#include <array>

#include "data/record_layout.h"
#include "data/registers.h"

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
constexpr std::array kFields = {f::KodObce, f::NazevObce, f::OkrsekOd, f::OkrsekDo, f::KodOkresu, f::NazevOkresu};
static_assert(isConsistent(kFields, kRecordSize) && f::NazevOkresu.end() == kRecordSize);
}  // namespace okrsky

namespace psrzvo {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Nazev1 = strField("Nazev1", 12, 25);
constexpr FieldLayout Nazev2 = strField("Nazev2", 38, 25);
}  // namespace f
constexpr std::array kFields = {f::KodObce, f::CisloOkrsku, f::Nazev1, f::Nazev2};
static_assert(isConsistent(kFields, kRecordSize) && f::Nazev2.end() == kRecordSize);
}  // namespace psrzvo

namespace psrvok {
namespace f {
constexpr FieldLayout KodObce = strField("KodObce", 0, 6);
constexpr FieldLayout CisloOkrsku = intField("CisloOkrsku", 8);
constexpr FieldLayout Volicu = intField("Volicu", 12);
}  // namespace f
constexpr std::array kFields = {f::KodObce, f::CisloOkrsku, f::Volicu};
static_assert(isConsistent(kFields, kRecordSize) && f::Volicu.end() == kRecordSize);
}  // namespace psrvok

namespace strany {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout NazevStrany = strField("NazevStrany", 4, 50);
constexpr FieldLayout PocetKandidatu = strField("PocetKandidatu", 55, 2);
}  // namespace f
constexpr std::array kFields = {f::CisloStrany, f::NazevStrany, f::PocetKandidatu};
static_assert(isConsistent(kFields, kRecordSize) && f::PocetKandidatu.end() == kRecordSize);
}  // namespace strany

namespace kandidat {
namespace f {
constexpr FieldLayout CisloStrany = strField("CisloStrany", 0, 3);
constexpr FieldLayout Poradi = strField("Poradi", 4, 2);
constexpr FieldLayout Jmeno1 = strField("Jmeno1", 7, 40);
constexpr FieldLayout Jmeno2 = strField("Jmeno2", 48, 40);
constexpr FieldLayout Priznak = strField("Priznak", 89, 1);
}  // namespace f
constexpr std::array kFields = {f::CisloStrany, f::Poradi, f::Jmeno1, f::Jmeno2, f::Priznak};
static_assert(isConsistent(kFields, kRecordSize) && f::Priznak.end() == kRecordSize);
}  // namespace kandidat

}  // namespace talmorek::data
