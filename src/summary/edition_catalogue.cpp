#include "summary/edition_catalogue.h"

namespace {

// Purpose of the home-server editions; batch files read it as the first word
// as well as the detail purpose.
constexpr Char kHomeServer[] = WIDE("WHS");

Char AsciiLower(Char unit) {
  if (unit < WIDE('A') || unit > WIDE('Z')) return unit;
  return static_cast<Char>(unit - WIDE('A') + WIDE('a'));
}

bool EqualIgnoringAsciiCase(const Char* a, const Char* b) {
  while (*a != 0 && AsciiLower(*a) == AsciiLower(*b)) ++a, ++b;
  return AsciiLower(*a) == AsciiLower(*b);
}

}  // namespace

// Indexed by the product-type number. Batch files compare these words
// letter for letter, so the cells that look like slips (0x0D's detp, 0x11's
// "SRV_WS", 0x1C's "Ultimeate N", 0x29's "SVR_STD", the "N" of 0x3B-0x40,
// 0x53's "(0x54)", 0x63's "specfic") are the published words and stay.
const EditionEntry EditionCatalogue[kEditionRows] = {
    /* 0x00 */ {WIDE("Unknown (0)"), WIDE("UNK"), WIDE("UNK"), WIDE("UNK")},
    /* 0x01 */ {WIDE("Ultimate"), WIDE("ULT"), WIDE("_"), WIDE("F")},
    /* 0x02 */ {WIDE("Home Basic"), WIDE("HB"), WIDE("_"), WIDE("F")},
    /* 0x03 */ {WIDE("Home Premium"), WIDE("HP"), WIDE("_"), WIDE("F")},
    /* 0x04 */ {WIDE("Enterprise Edition"), WIDE("ENT"), WIDE("_"), WIDE("F")},
    /* 0x05 */ {WIDE("Home Basic N"), WIDE("HB"), WIDE("N"), WIDE("F")},
    /* 0x06 */ {WIDE("Business"), WIDE("BUS"), WIDE("_"), WIDE("F")},
    /* 0x07 */ {WIDE("Standard Server"), WIDE("SVR_STD"), WIDE("_"), WIDE("F")},
    /* 0x08 */ {WIDE("Datacenter Server"), WIDE("SVR_DC"), WIDE("_"), WIDE("F")},
    /* 0x09 */ {WIDE("Small Business Server"), WIDE("SVR_SBS"), WIDE("_"), WIDE("F")},
    /* 0x0A */ {WIDE("Enterprise Server"), WIDE("SVR_ENT"), WIDE("_"), WIDE("F")},
    /* 0x0B */ {WIDE("Starter Edition"), WIDE("STRT"), WIDE("_"), WIDE("F")},
    /* 0x0C */ {WIDE("Datacenter Server (core)"), WIDE("SVR_DC"), WIDE("_"), WIDE("C")},
    /* 0x0D */ {WIDE("Standard Server (core)"), WIDE("UNK"), WIDE("_"), WIDE("C")},
    /* 0x0E */ {WIDE("Enterprise Server"), WIDE("SVR_ENTB"), WIDE("_"), WIDE("F")},
    /* 0x0F */ {WIDE("Enterprise Server (Itanium)"),
                WIDE("SVR_ENT_I"), WIDE("_"), WIDE("F")},
    /* 0x10 */ {WIDE("Professional (Business) N"), WIDE("PRO"), WIDE("N"), WIDE("F")},
    /* 0x11 */ {WIDE("Web Server"), WIDE("SRV_WS"), WIDE("_"), WIDE("F")},
    /* 0x12 */ {WIDE("Cluster Server"), WIDE("SVR_CLS"), WIDE("_"), WIDE("F")},
    /* 0x13 */ {WIDE("Home Server"), WIDE("WHS"), WIDE("_"), WIDE("F")},
    /* 0x14 */ {WIDE("Storage Server Express Edition"),
                WIDE("SVR_STG_X"), WIDE("_"), WIDE("F")},
    /* 0x15 */ {WIDE("Storage Server Standard Edition"),
                WIDE("SVR_STG_S"), WIDE("_"), WIDE("F")},
    /* 0x16 */ {WIDE("Storage Server Workgroup Edition"),
                WIDE("SVR_STG_W"), WIDE("_"), WIDE("F")},
    /* 0x17 */ {WIDE("Storage Server Enterprise Edition"),
                WIDE("SVR_STG_E"), WIDE("_"), WIDE("F")},
    /* 0x18 */ {WIDE("Server for Small Business"), WIDE("SVR_FSB"), WIDE("_"), WIDE("F")},
    /* 0x19 */ {WIDE("Small Business Server - Premium"),
                WIDE("SVR_SBS_P"), WIDE("_"), WIDE("F")},
    /* 0x1A */ {WIDE("Home Premium N"), WIDE("HP"), WIDE("N"), WIDE("F")},
    /* 0x1B */ {WIDE("Enterprise Edition N"), WIDE("ENT"), WIDE("N"), WIDE("F")},
    /* 0x1C */ {WIDE("Ultimeate N"), WIDE("ULT"), WIDE("N"), WIDE("F")},
    /* 0x1D */ {WIDE("Web Server (core)"), WIDE("SVR_WEB"), WIDE("_"), WIDE("C")},
    /* 0x1E */ {WIDE("Essential Business Server - Management Server"),
                WIDE("SVR_EBS_MGT"), WIDE("_"), WIDE("F")},
    /* 0x1F */ {WIDE("Essential Business Server - Security Server"),
                WIDE("SVR_EBS_SEC"), WIDE("_"), WIDE("F")},
    /* 0x20 */ {WIDE("Essential Business Server - Messaging Server"),
                WIDE("SVR_EBS_MSG"), WIDE("_"), WIDE("F")},
    /* 0x21 */ {WIDE("Server Foundation"), WIDE("SVR_FND"), WIDE("_"), WIDE("F")},
    /* 0x22 */ {WIDE("Windows Home Server 2011"), WIDE("WHS"), WIDE("_"), WIDE("F")},
    /* 0x23 */ {WIDE("Windows Server 2008 without Hyper-V for Windows Essential Server Solutions"),
                WIDE("SVR_WESS"), WIDE("_"), WIDE("F")},
    /* 0x24 */ {WIDE("Standard Server without Hyper-V"),
                WIDE("SVR_STD"), WIDE("_"), WIDE("F")},
    /* 0x25 */ {WIDE("Datacenter Server without Hyper-V"),
                WIDE("SVR_DC"), WIDE("_"), WIDE("F")},
    /* 0x26 */ {WIDE("Enterprise Server without Hyper-V"),
                WIDE("SVR_ENT"), WIDE("_"), WIDE("F")},
    /* 0x27 */ {WIDE("Datacenter Server (core) without Hyper-V"),
                WIDE("SVR_DC"), WIDE("_"), WIDE("C")},
    /* 0x28 */ {WIDE("Standard Server (core) without Hyper-V"),
                WIDE("SVR_STD"), WIDE("_"), WIDE("C")},
    /* 0x29 */ {WIDE("Enterprise Server (core) without Hyper-V"),
                WIDE("SVR_STD"), WIDE("_"), WIDE("C")},
    /* 0x2A */ {WIDE("Hyper-V Server"), WIDE("SVR_HPV"), WIDE("_"), WIDE("F")},
    /* 0x2B */ {WIDE("Storage Server Express (core)"),
                WIDE("SVR_STG_X"), WIDE("_"), WIDE("C")},
    /* 0x2C */ {WIDE("Storage Server Standard (core)"),
                WIDE("SVR_STG_S"), WIDE("_"), WIDE("C")},
    /* 0x2D */ {WIDE("Storage Server Workgroup (core)"),
                WIDE("SVR_STG_W"), WIDE("_"), WIDE("C")},
    /* 0x2E */ {WIDE("Storage Server Enterprise (core)"),
                WIDE("SVR_STG_E"), WIDE("_"), WIDE("C")},
    /* 0x2F */ {WIDE("Starter N"), WIDE("STRT"), WIDE("N"), WIDE("F")},
    /* 0x30 */ {WIDE("Professional"), WIDE("PRO"), WIDE("_"), WIDE("F")},
    /* 0x31 */ {WIDE("Professional N"), WIDE("PRO"), WIDE("N"), WIDE("F")},
    /* 0x32 */ {WIDE("Windows Small Business Server 2011 Essentials"),
                WIDE("SVR_SBS_E"), WIDE("_"), WIDE("F")},
    /* 0x33 */ {WIDE("Server for Small Business Solutions"),
                WIDE("SVR_FSBS"), WIDE("_"), WIDE("F")},
    /* 0x34 */ {WIDE("Server Solutions Premium"), WIDE("SVR_SOLP"), WIDE("_"), WIDE("F")},
    /* 0x35 */ {WIDE("Server Solutions Premium (core)"),
                WIDE("SVR_SOLP"), WIDE("_"), WIDE("C")},
    /* 0x36 */ {WIDE("Small Business Solution Server EM"),
                WIDE("SVR_SBSS_EM"), WIDE("_"), WIDE("F")},
    /* 0x37 */ {WIDE("Server for Small Business Solutions EM"),
                WIDE("SVR_FSBSS_EM"), WIDE("_"), WIDE("F")},
    /* 0x38 */ {WIDE("Windows Multipoint Server"), WIDE("SVR_MP"), WIDE("_"), WIDE("F")},
    /* 0x39 */ {WIDE("Undefined (0x39)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x3A */ {WIDE("Undefined (0x3A)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x3B */ {WIDE("Essential Business Server Mgmt"),
                WIDE("SVR_EBS_MGMT"), WIDE("N"), WIDE("F")},
    /* 0x3C */ {WIDE("Essential Business Server Addl"),
                WIDE("SVR_EBS_ADDL"), WIDE("N"), WIDE("F")},
    /* 0x3D */ {WIDE("Essential Business Server Mgmt Svc"),
                WIDE("SVR_EBS_MGMT_SVC"), WIDE("N"), WIDE("F")},
    /* 0x3E */ {WIDE("Essential Business Server Mgmt Svc"),
                WIDE("SVR_EBS_MGMT_SVC"), WIDE("N"), WIDE("F")},
    /* 0x3F */ {WIDE("Small Business Server Premium (core)"),
                WIDE("SVR_SBS_P"), WIDE("N"), WIDE("C")},
    /* 0x40 */ {WIDE("Server Hyper-Core V"), WIDE("SVR_HCV"), WIDE("N"), WIDE("F")},
    /* 0x41 */ {WIDE("Undefined (0x41)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x42 */ {WIDE("Starter E (Europe)"), WIDE("STRT"), WIDE("E"), WIDE("F")},
    /* 0x43 */ {WIDE("Home Basic E (Europe)"), WIDE("HB"), WIDE("E"), WIDE("F")},
    /* 0x44 */ {WIDE("Home Premium E (Europe)"), WIDE("HP"), WIDE("E"), WIDE("F")},
    /* 0x45 */ {WIDE("Professional E (Europe)"), WIDE("PRO"), WIDE("E"), WIDE("F")},
    /* 0x46 */ {WIDE("Enterprise E (Europe)"), WIDE("ENT"), WIDE("E"), WIDE("F")},
    /* 0x47 */ {WIDE("Ultimate E (Europe)"), WIDE("ULT"), WIDE("E"), WIDE("F")},
    /* 0x48 */ {WIDE("Enterprise Evaluation"), WIDE("ENT"), WIDE("_"), WIDE("F")},
    /* 0x49 */ {WIDE("Undefined (0x49)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x4A */ {WIDE("Undefined (0x4A)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x4B */ {WIDE("Undefined (0x4B)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x4C */ {WIDE("Multipoint Standard"), WIDE("SVR_MPS"), WIDE("_"), WIDE("F")},
    /* 0x4D */ {WIDE("Multipoint Premium"), WIDE("SVR_MPP"), WIDE("_"), WIDE("F")},
    /* 0x4E */ {WIDE("Undefined (0x4E)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x4F */ {WIDE("Server Standard (Evaluation)"),
                WIDE("SVR_STD"), WIDE("_"), WIDE("F")},
    /* 0x50 */ {WIDE("Datacenter Server (Evaluation)"),
                WIDE("SVR_DC"), WIDE("_"), WIDE("F")},
    /* 0x51 */ {WIDE("Undefined (0x51)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x52 */ {WIDE("Undefined (0x52)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x53 */ {WIDE("Undefined (0x54)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x54 */ {WIDE("Enterprise N (Evaluation)"), WIDE("ENT"), WIDE("N"), WIDE("F")},
    /* 0x55 */ {WIDE("Undefined (0x55)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x56 */ {WIDE("Undefined (0x56)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x57 */ {WIDE("Undefined (0x57)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x58 */ {WIDE("Undefined (0x58)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x59 */ {WIDE("Undefined (0x59)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5A */ {WIDE("Undefined (0x5A)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5B */ {WIDE("Undefined (0x5B)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5C */ {WIDE("Undefined (0x5C)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5D */ {WIDE("Undefined (0x5D)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5E */ {WIDE("Undefined (0x5E)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x5F */ {WIDE("Storage Server Workgroup (Evaluation)"),
                WIDE("SVR_STG_W"), WIDE("_"), WIDE("F")},
    /* 0x60 */ {WIDE("Storage Server Standard (Evaluation)"),
                WIDE("SVR_STG_S"), WIDE("_"), WIDE("F")},
    /* 0x61 */ {WIDE("Undefined (0x61)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x62 */ {WIDE("Windows 8 (Core) N"), WIDE("W8C"), WIDE("N"), WIDE("F")},
    /* 0x63 */ {WIDE("Windows 8 (Core, country specfic)"),
                WIDE("W8S"), WIDE("_"), WIDE("F")},
    /* 0x64 */ {WIDE("Windows 8 (Core, single language)"),
                WIDE("W8L"), WIDE("_"), WIDE("F")},
    /* 0x65 */ {WIDE("Windows 8 (Core)"), WIDE("W8C"), WIDE("_"), WIDE("F")},
    /* 0x66 */ {WIDE("Undefined (0x66)"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
    /* 0x67 */ {WIDE("Professional with Media Center"),
                WIDE("PMC"), WIDE("_"), WIDE("F")},
    /* 0x68 */ {WIDE("Undefined"), WIDE("UNDEF"), WIDE("UNK"), WIDE("UNK")},
};

void ApplyProductType(BatchData& data, DWORD productType) {
  // Numbers newer than the catalogue share its last row.
  const DWORD last = kEditionRows - 1;
  const EditionEntry& row = EditionCatalogue[productType <= last ? productType : last];
  data.detp = row.detp;
  data.nat = row.nat;
  data.ins = row.ins;
  if (EqualIgnoringAsciiCase(row.detp, kHomeServer)) data.ppp = row.detp;
}
