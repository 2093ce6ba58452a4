// The emulated platform: creates an add-in by its ProgID as the platform does,
// connects it to the platform's services, and runs members against it.
#pragma once
#include <string>
#include <vector>

#include "host/addin_interfaces.h"
#include "support/com_ptr.h"
#include "tools/emulator/arguments.h"
#include "tools/emulator/connection.h"

class EmulatedPlatform {
 public:
  explicit EmulatedPlatform(std::wstring profilePath) : connection_(std::move(profilePath)) {}
  EmulatedPlatform(const EmulatedPlatform&) = delete;
  EmulatedPlatform& operator=(const EmulatedPlatform&) = delete;
  ~EmulatedPlatform() { Stop(); }

  // CLSIDFromProgID, CoCreateInstance, Init, GetInfo, RegisterExtensionAs;
  // false, with the cause printed, when the component cannot be created.
  bool Start(const std::wstring& progId);
  // Done, then the component is released.
  void Stop();

  // Properties and methods as a table, with the properties' values.
  void PrintCatalogue();
  // Finds `name` with FindMethod as typed and runs it with the typed arguments;
  // false when the member is not found or the arguments do not fit.
  bool Call(const std::wstring& name, const std::vector<arguments::Token>& args);
  bool GetProperty(const std::wstring& name);
  bool SetProperty(const std::wstring& name, const arguments::Token& value);
  // Waits, pumping this thread's messages; timer events print as they arrive.
  void Wait(double seconds);

 private:
  std::wstring MethodName(long number, long alias);
  void HintForMissingMember(const std::wstring& name);
  long FindProperty(const std::wstring& name);

  Connection connection_;
  ComPtr<IInitDone> initDone_;
  ComPtr<ILanguageExtender> extender_;
};
