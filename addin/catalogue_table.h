// The member catalogue as data: every property and method of the script object,
// with its number, names, string-table id, parameter count and kind. The
// module's string table is generated from this table at build time, so the
// two cannot differ. Plain C++ (no Windows headers): the generator is a
// program of the build machine.
#pragma once
#include <cstddef>

namespace catalogue {

enum class MemberKind {
  Procedure,   // HasRetVal 0, run by CallAsProc
  Function,    // HasRetVal 1, run by CallAsFunc
  Unreported,  // known to FindMethod and GetNParams only; forwarded by CallAsFunc
};

struct MethodRow {
  long number;
  const wchar_t* english;  // English half of the name pair; null when there is none
  const wchar_t* russian;  // Russian half of the name pair; null when there is none
  int stringId;            // id of the name pair in the string table; 0 when there is none
  long paramCount;
  MemberKind kind;
  // Finder literals, compared with a name whose Cyrillic small letters were
  // raised; null for the members found by their exact name pair (0 to 6).
  const wchar_t* finderEnglish;
  const wchar_t* finderRussian;
  const wchar_t* finderAlias;  // a further accepted spelling, or null
};

struct PropertyRow {
  long number;
  const wchar_t* english;
  const wchar_t* russian;
  int stringId;
  bool writable;
};

// Method numbers by name, for the code that runs or answers members; they
// are the numbers of kMethods below, and the main driver's.
enum Method : long {
  kEnable = 0,
  kDisable = 1,
  kShowInStatusLine = 2,
  kStartTimer = 3,
  kStopTimer = 4,
  kOpenForm = 5,
  kShowMessageBox = 6,
  kGetLineLength = 7,
  kGetDataKKT = 8,
  kGetParameters = 9,
  kSetParameter = 10,
  kDeviceTest = 11,
  kOpenShift = 12,
  kCloseShift = 13,
  kProcessCheck = 14,
  kReportCurrentStatusOfSettlements = 15,
  kGetVersion = 16,
  kGetDescription = 17,
  kGetLastError = 18,
  kOpen = 19,
  kClose = 20,
  kGetAdditionalActions = 21,
  kDoAdditionalAction = 22,
  kGetCurrentStatus = 23,
  kOpenCashDrawer = 24,
  kPrintXReport = 25,
  kCashInOutcome = 26,
  kPrintTextDocument = 27,
  kProcessCorrectionCheck = 28,
  kOperationFN = 29,
  kExportData = 30,
  kImportData = 31,
};

using K = MemberKind;

inline constexpr PropertyRow kProperties[] = {
    {0, L"IsEnabled", L"Включен", 106, true},
    {1, L"IsTimerPresent", L"ЕстьТаймер", 114, false},
};

inline constexpr MethodRow kMethods[] = {
    {0, L"Enable", L"Включить", 107, 0, K::Procedure, nullptr, nullptr, nullptr},
    {1, L"Disable", L"Выключить", 108, 0, K::Procedure, nullptr, nullptr, nullptr},
    {2, L"ShowInStatusLine", L"ПоказатьВСтрокеСостояния", 109, 1, K::Procedure, nullptr, nullptr, nullptr},
    {3, L"StartTimer", L"ЗапуститьТаймер", 110, 0, K::Procedure, nullptr, nullptr, nullptr},
    {4, L"StopTimer", L"ОстановитьТаймер", 113, 0, K::Procedure, nullptr, nullptr, nullptr},
    {5, L"OpenForm", L"ОткрытьФорму", 115, 0, K::Procedure, nullptr, nullptr, nullptr},
    {6, L"ShowMessageBox", L"ПоказатьСообщение", 101, 0, K::Procedure, nullptr, nullptr, nullptr},
    {7, L"GetLineLength", L"ПОЛУЧИТЬШИРИНУСТРОКИ", 117, 2, K::Function, L"GETLINELENGTH", L"ПОЛУЧИТЬШИРИНУСТРОКИ", nullptr},
    {8, L"GetDataKKT", L"ПОЛУЧИТЬПАРАМЕТРЫККТ", 102, 2, K::Function, L"GETDATAKKT", L"ПОЛУЧИТЬПАРАМЕТРЫККТ", nullptr},
    {9, L"GetParameters", L"ПОЛУЧИТЬПАРАМЕТРЫ", 104, 1, K::Function, L"GETPARAMETERS", L"ПОЛУЧИТЬПАРАМЕТРЫ", nullptr},
    {10, L"SetParameter", L"УСТАНОВИТЬПАРАМЕТР", 118, 2, K::Function, L"SETPARAMETER", L"УСТАНОВИТЬПАРАМЕТР", nullptr},
    {11, L"DeviceTest", L"ТЕСТУСТРОЙСТВА", 119, 2, K::Function, L"DEVICETEST", L"ТЕСТУСТРОЙСТВА", nullptr},
    {12, L"OpenShift", L"ОТКРЫТЬСМЕНУ", 120, 5, K::Function, L"OPENSHIFT", L"ОТКРЫТЬСМЕНУ", nullptr},
    {13, L"CloseShift", L"ЗАКРЫТЬСМЕНУ", 121, 5, K::Function, L"CLOSESHIFT", L"ЗАКРЫТЬСМЕНУ", nullptr},
    {14, L"ProcessCheck", L"СФОРМИРОВАТЬЧЕК", 122, 7, K::Function, L"PROCESSCHECK", L"СФОРМИРОВАТЬЧЕК", nullptr},
    {15, L"ReportCurrentStatusOfSettlements", L"ОТЧЕТОТЕКУЩЕМСОСТОЯНИИРАСЧЕТОВ", 123, 3, K::Function,
     L"REPORTCURRENTSTATUSOFSETTLEMENTS", L"ОТЧЕТОТЕКУЩЕМСОСТОЯНИИРАСЧЕТОВ", nullptr},
    {16, L"GetVersion", L"ПОЛУЧИТЬНОМЕРВЕРСИИ", 124, 0, K::Function, L"GETVERSION", L"ПОЛУЧИТЬНОМЕРВЕРСИИ", nullptr},
    {17, L"GetDescription", L"ПОЛУЧИТЬОПИСАНИЕ", 125, 7, K::Function, L"GETDESCRIPTION", L"ПОЛУЧИТЬОПИСАНИЕ", nullptr},
    {18, L"GetLastError", L"ПОЛУЧИТЬОШИБКУ", 126, 1, K::Function, L"GETLASTERROR", L"ПОЛУЧИТЬОШИБКУ", nullptr},
    {19, L"Open", L"ПОДКЛЮЧИТЬ", 127, 1, K::Function, L"OPEN", L"ПОДКЛЮЧИТЬ", nullptr},
    {20, L"Close", L"ОТКЛЮЧИТЬ", 128, 1, K::Function, L"CLOSE", L"ОТКЛЮЧИТЬ", nullptr},
    {21, L"GetAdditionalActions", L"ПОЛУЧИТЬДОПОЛНИТЕЛЬНЫЕДЕЙСТВИЯ", 129, 1, K::Function, L"GETADDITIONALACTIONS",
     L"ПОЛУЧИТЬДОПОЛНИТЕЛЬНЫЕДЕЙСТВИЯ", nullptr},
    {22, L"DoAdditionalAction", L"ВЫПОЛНИТЬДОПОЛНИТЕЛЬНОЕДЕЙСТВИЕ", 130, 1, K::Function, L"DOADDITIONALACTION",
     L"ВЫПОЛНИТЬДОПОЛНИТЕЛЬНОЕДЕЙСТВИЕ", nullptr},
    {23, L"GetCurrentStatus", L"ПОЛУЧИТЬТЕКУЩЕЕСОСТОЯНИЕ", 131, 5, K::Function, L"GETCURRENTSTATUS",
     L"ПОЛУЧИТЬТЕКУЩЕЕСОСТОЯНИЕ", nullptr},
    {24, L"OpenCashDrawer", L"ОТКРЫТЬДЕНЕЖНЫЙЯЩИК", 132, 1, K::Function, L"OPENCASHDRAWER", L"ОТКРЫТЬДЕНЕЖНЫЙЯЩИК",
     nullptr},
    {25, L"PrintXReport", L"НАПЕЧАТАТЬОТЧЕТБЕЗГАШЕНИЯ", 133, 2, K::Function, L"PRINTXREPORT",
     L"НАПЕЧАТАТЬОТЧЕТБЕЗГАШЕНИЯ", nullptr},
    {26, L"CashInOutcome", L"НАПЕЧАТАТЬЧЕКВНЕСЕНИЯВЫЕМКИ", 134, 3, K::Function, L"CASHINOUTCOME",
     L"НАПЕЧАТАТЬЧЕКВНЕСЕНИЯВЫЕМКИ", nullptr},
    {27, L"PrintTextDocument", L"НАПЕЧАТАТЬТЕКСТОВЫЙДОКУМЕНТ", 135, 2, K::Function, L"PRINTTEXTDOCUMENT",
     L"НАПЕЧАТАТЬТЕКСТОВЫЙДОКУМЕНТ", nullptr},
    {28, L"ProcessCorrectionCheck", L"СФОРМИРОВАТЬЧЕККОРРЕКЦИИ", 136, 6, K::Function, L"PROCESSCORRECTIONCHECK",
     L"СФОРМИРОВАТЬЧЕККОРРЕКЦИИ", nullptr},
    {29, L"OperationFN", L"ОПЕРАЦИЯФН", 137, 4, K::Function, L"OPERATIONFN", L"ОПЕРАЦИЯФН", nullptr},
    {30, nullptr, nullptr, 0, 1, K::Unreported, L"EXPORTDATA", L"ВЫГРУЗИТЬДАННЫЕ", nullptr},
    // The stored literal has a doubled D; the correct spelling is accepted too.
    {31, nullptr, nullptr, 0, 1, K::Unreported, L"IMPORTDDATA", L"ЗАГРУЗИТЬДАННЫЕ", L"IMPORTDATA"},
    {32, nullptr, nullptr, 0, 11, K::Unreported, nullptr, nullptr, nullptr},
};

inline constexpr long kMethodCount = static_cast<long>(sizeof(kMethods) / sizeof(kMethods[0]));  // 33
inline constexpr long kNamedMethodCount = 30;  // methods 0 to 29 have a name pair
inline constexpr long kProcedureCount = 7;     // methods 0 to 6
static_assert(kMethods[kShowMessageBox].number == kProcedureCount - 1 && kMethods[kImportData].number == kImportData);
inline constexpr long kPropertyCount = static_cast<long>(sizeof(kProperties) / sizeof(kProperties[0]));

// Message texts of the string table.
struct MessageRow {
  int stringId;
  const wchar_t* text;
};
inline constexpr int kProjectNameId = 100;
inline constexpr int kStatusLineMissingSourceId = 111;
inline constexpr int kStatusLineMissingDescriptionId = 112;
inline constexpr MessageRow kMessages[] = {
    {kProjectNameId, L"AddIn"},
    {kStatusLineMissingSourceId, L"Компонента AddInCOMIntegration"},
    {kStatusLineMissingDescriptionId, L"Платформа не предоставила строку состояния (IStatusLine): текст не показан"},
};

}  // namespace catalogue
