// libFuzzer target: the whole program, from its command line to its exit
// status, over platform answers taken from the fuzzer's bytes. Sanitizers
// catch memory and undefined-behaviour faults; the checks below catch output
// and exit statuses that break the program's own rules, each worked out here
// from the inputs alone, without asking the program's code.
//
// Input layout (short inputs read as zero past their end):
//   byte 0      bit i (0-6): entry point i is present (EntryPointIndex order);
//               bit 7: ntdll is present
//   byte 1      bit 0: the process gets no arguments at all (argc 0)
//   then, copied raw in this order: ntdllError, packedVersion,
//   versionExResult, versionExError, versionEx (284 bytes), rtlStatus,
//   rtlVersion (284 bytes), productInfoResult, productInfoError, productType,
//   systemInfo (36 bytes), nativeSystemInfo (36 bytes), wow64Result,
//   wow64Error, wow64Flag
//   the rest    UTF-16 units (little-endian), split at each zero unit into
//               the arguments; the first is the program name
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/program.h"
#include "support/capture.h"

namespace {

[[noreturn]] void Fail(const char* invariant) {
  std::fprintf(stderr, "program_fuzzer: broken invariant: %s\n", invariant);
  __builtin_trap();
}

void Check(bool holds, const char* invariant) {
  if (!holds) Fail(invariant);
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename Field>
  void Take(Field& field) {
    std::memset(&field, 0, sizeof field);
    const std::size_t count = Left() < sizeof field ? Left() : sizeof field;
    if (count > 0) std::memcpy(&field, data_ + at_, count);
    at_ += count;
  }

  std::size_t Left() const { return size_ - at_; }
  const std::uint8_t* Here() const { return data_ + at_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct Input {
  StandInScenario scenario;
  bool noArguments = false;
  std::vector<std::u16string> arguments;
};

Input Decode(const std::uint8_t* data, std::size_t size) {
  Input in;
  Reader read(data, size);
  std::uint8_t presence = 0;
  std::uint8_t shape = 0;
  read.Take(presence);
  read.Take(shape);
  StandInScenario& s = in.scenario;
  for (int i = 0; i < kEntryPointCount; ++i) s.present[i] = (presence >> i) & 1;
  s.ntdllPresent = (presence >> 7) & 1;
  in.noArguments = shape & 1;
  read.Take(s.ntdllError);
  read.Take(s.packedVersion);
  read.Take(s.versionExResult);
  read.Take(s.versionExError);
  read.Take(s.versionEx);
  read.Take(s.rtlStatus);
  read.Take(s.rtlVersion);
  read.Take(s.productInfoResult);
  read.Take(s.productInfoError);
  read.Take(s.productType);
  read.Take(s.systemInfo);
  read.Take(s.nativeSystemInfo);
  read.Take(s.wow64Result);
  read.Take(s.wow64Error);
  read.Take(s.wow64Flag);

  if (in.noArguments) return in;
  in.arguments.emplace_back();
  const std::uint8_t* rest = read.Here();
  for (std::size_t i = 0; i + 1 < read.Left(); i += 2) {
    const auto unit = static_cast<char16_t>(rest[i] | (rest[i + 1] << 8));
    if (unit == 0) {
      in.arguments.emplace_back();
    } else {
      in.arguments.back() += unit;
    }
  }
  return in;
}

// ---- what the program must do, worked out independently ----

enum class Expected { Report, Summary, Help, Usage };

bool SameIgnoringAsciiCase(const std::u16string& text, const char* ascii) {
  if (text.size() != std::strlen(ascii)) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit + 32);
    if (unit != static_cast<unsigned char>(ascii[i])) return false;
  }
  return true;
}

Expected CourseFor(const std::vector<std::u16string>& args) {
  if (args.size() <= 1) return Expected::Report;
  const std::u16string& first = args[1];
  if (SameIgnoringAsciiCase(first, "/batch")) {
    return args.size() == 2 ? Expected::Summary : Expected::Usage;
  }
  if (args.size() == 2 && !first.empty() && (first[0] == u'/' || first[0] == u'-')) {
    const std::u16string rest = first.substr(1);
    if (SameIgnoringAsciiCase(rest, "?") || SameIgnoringAsciiCase(rest, "h") ||
        SameIgnoringAsciiCase(rest, "help")) {
      return Expected::Help;
    }
  }
  return Expected::Usage;
}

// The bytes the sink makes of a text.
std::string Sunk(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) {
    if (unit == u'\n') {
      out += "\r\n";
    } else {
      out += static_cast<char>(unit <= 0xFF ? unit : u'?');
    }
  }
  return out;
}

std::string SunkAscii(const char* text) {
  return Sunk(std::u16string(text, text + std::strlen(text)));
}

std::string WithCode(const char* format, DWORD code) {
  char line[256];
  std::snprintf(line, sizeof line, format, static_cast<unsigned>(code),
                static_cast<unsigned>(code));
  return SunkAscii(line);
}

// The CSD text as far as its field reaches: no terminator is promised.
std::u16string CsdText(const OSVERSIONINFOEXW& record) {
  std::u16string text;
  for (std::size_t i = 0; i < 128 && record.szCSDVersion[i] != 0; ++i) {
    text += record.szCSDVersion[i];
  }
  return text;
}

struct Stop {
  bool stops = false;
  bool aloneInReport = false;  // nothing precedes the message in report mode
  std::string message;
};

// The six stopping conditions, in the order the queries are asked.
Stop StopFor(const StandInScenario& s) {
  Stop stop;
  stop.stops = true;
  if (!s.ntdllPresent) {
    stop.aloneInReport = true;
    stop.message = WithCode("Windows NTDLL library is not present - error %u, 0x%08X.\n",
                            s.ntdllError);
    return stop;
  }
  if (!s.present[kGetVersion]) {
    stop.aloneInReport = true;
    stop.message = SunkAscii("\n\nGetVersion() ...\n\n  ... Unavailable.\n");
    return stop;
  }
  // With neither version query answering, the record the product-type step
  // reads is the cleared one: version 0.
  DWORD major = 0;
  if (s.present[kGetVersionExW]) {
    if (s.versionExResult == 0) {
      stop.message = WithCode("  Windows GetVersionEx() failed - Error %u, 0x%08X.\n",
                              s.versionExError);
      return stop;
    }
    major = s.versionEx.dwMajorVersion;
  }
  if (s.present[kRtlGetVersion]) {
    if (s.rtlStatus != 0) {
      stop.message = WithCode(
          "  Failed to get the internal version with RtlGetVersion.  Error %u (0x%08X) returned.\n",
          static_cast<DWORD>(s.rtlStatus));
      return stop;
    }
    major = s.rtlVersion.dwMajorVersion;
  }
  if (major >= 6) {
    if (!s.present[kGetProductInfo]) {
      stop.message = SunkAscii(
          "\n\nGetProductType() ...\n\n   ... expected, but not found in kernel32.dll.\n");
      return stop;
    }
    if (s.productInfoResult == 0) {
      stop.message = WithCode(
          "\n  Failed to obtain the product type - GetProductInfo error %u (0x%08X).\n",
          s.productInfoError);
      return stop;
    }
  }
  stop.stops = false;
  return stop;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::size_t Count(const std::string& text, char byte) {
  std::size_t n = 0;
  for (char c : text) n += c == byte;
  return n;
}

// Bytes the run may write. Every literal of the program is printable ASCII
// with "\n" line ends, so anything else (a control byte, a byte 0x7F-0xFF)
// can only come from text the platform or the user handed in: the program
// name, the two CSD texts within their 128-unit field, and the revision
// letter of a 386/486 processor. A byte outside this set means the sink
// passed a unit above U+00FF through as its low byte, or a printer read past
// a field (the units after szCSDVersion are the service-pack numbers, whose
// bytes are not in the set unless they happen to equal a CSD unit).
struct AllowedBytes {
  bool allowed[256] = {};

  AllowedBytes(const Input& in) {
    for (int b = 0x20; b <= 0x7E; ++b) allowed[b] = true;
    allowed[0x0D] = allowed[0x0A] = true;  // CR LF
    if (!in.arguments.empty()) AddText(in.arguments[0]);
    AddText(CsdText(in.scenario.versionEx));
    AddText(CsdText(in.scenario.rtlVersion));
    AddRevisionLetter(in.scenario.systemInfo);
    AddRevisionLetter(in.scenario.nativeSystemInfo);
  }

  void AddText(const std::u16string& text) {
    for (char16_t unit : text) {
      if (unit <= 0xFF) allowed[unit] = true;
    }
  }

  void AddRevisionLetter(const SYSTEM_INFO& info) {
    const unsigned high = info.wProcessorRevision >> 8;
    if ((info.dwProcessorType == 386 || info.dwProcessorType == 486) && high != 0xFF &&
        0x41 + high <= 0xFF) {
      allowed[0x41 + high] = true;
    }
  }
};

void CheckSinkRules(const Input& in, const std::string& output) {
  for (std::size_t i = 0; i < output.size(); ++i) {
    if (output[i] == '\n') Check(i > 0 && output[i - 1] == '\r', "every LF follows a CR");
  }
  const AllowedBytes bytes(in);
  for (char c : output) {
    Check(bytes.allowed[static_cast<unsigned char>(c)],
          "every byte is ASCII from a literal or a unit of outside text");
  }
}

void CheckSummaryLine(const std::string& output) {
  Check(Count(output, '\n') == 1 && EndsWith(output, "\r\n"),
        "a summary is exactly one line");
  // Twelve words; "Not recognized" as the architecture adds one.
  const std::string line = output.substr(0, output.size() - 2);
  const std::size_t words = Count(line, ' ') + 1;
  const bool unrecognized = line.find(" Not recognized ") != std::string::npos;
  Check(words == (unrecognized ? 13u : 12u), "a summary line has twelve words");
}

// In report mode each version record that was printed shows its CSD text,
// bounded to its field, through the sink's rules.
void CheckCsdLines(const StandInScenario& s, const std::string& output) {
  const bool reached = s.ntdllPresent && s.present[kGetVersion];
  const bool extendedPrinted = reached && s.present[kGetVersionExW] && s.versionExResult != 0;
  const bool kernelPrinted = reached && s.present[kRtlGetVersion] && s.rtlStatus == 0 &&
                             (!s.present[kGetVersionExW] || s.versionExResult != 0);
  const std::string label = "  CSD Version:                      \"";
  if (extendedPrinted) {
    Check(output.find(label + Sunk(CsdText(s.versionEx)) + "\"\r\n") != std::string::npos,
          "the extended record's CSD line");
  }
  if (kernelPrinted) {
    Check(output.find(label + Sunk(CsdText(s.rtlVersion)) + "\"\r\n") != std::string::npos,
          "the kernel record's CSD line");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input in = Decode(data, size);

  std::vector<const Char*> argv;
  for (const auto& argument : in.arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(in.arguments.size());

  SetStandIn(in.scenario);
  int status = -1;
  const std::string output =
      CapturedOutput([&] { status = RunProgram(argc, argv.data()); });

  CheckSinkRules(in, output);

  const Expected course = CourseFor(in.arguments);
  if (course == Expected::Usage) {
    Check(status == 0, "the usage line ends with status 0");
    const std::string line =
        SunkAscii("\nUsage: ") + Sunk(in.arguments[0]) + SunkAscii(" [/batch | /help]\n");
    Check(output == line, "the usage line names the program as given");
    return 0;
  }
  if (course == Expected::Help) {
    Check(status == 0, "the help text ends with status 0");
    Check(output.rfind(SunkAscii("\nOskavel utility - "), 0) == 0, "the help text");
    return 0;
  }

  const Stop stop = StopFor(in.scenario);
  Check(status == (stop.stops ? 1 : 0), "exit status follows the stopping rules");
  if (course == Expected::Summary) {
    if (stop.stops) {
      Check(output == stop.message, "a stopped summary prints its one message only");
    } else {
      CheckSummaryLine(output);
    }
    return 0;
  }
  if (stop.stops) {
    Check(stop.aloneInReport ? output == stop.message : EndsWith(output, stop.message),
          "a stopped report ends with its message");
  } else {
    Check(EndsWith(output, "\r\n"), "a report ends with a line end");
  }
  CheckCsdLines(in.scenario, output);
  return 0;
}
