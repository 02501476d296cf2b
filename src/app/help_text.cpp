#include "app/help_text.h"

#include "platform/format.h"

// One call per line, so that a line's text, its trailing blanks included,
// reads here exactly as it prints. Inside the batch code each "%%%%" prints
// as "%%", the form a FOR variable takes inside a batch file; the program
// name goes in as an argument, never into a format.
void PrintHelp(const Char* programName) {
  Print(WIDE("\n"));
  Print(WIDE("Oskavel utility - makes Windows version info visible.\n"));
  Print(WIDE("\n"));
  Print(WIDE("Usage:  %s [/batch | /help]\n"), programName);
  Print(WIDE("\n"));
  Print(WIDE("        /batch - see below.\n"));
  Print(WIDE("        /help  - prints this message.\n"));
  Print(WIDE("\n"));
  Print(WIDE("        Without an argument: prints human-readable version informa-\n"));
  Print(WIDE("        tion obtained from several Windows calls showing what is\n"));
  Print(WIDE("        available and where Windows is hiding the truth to maintain\n"));
  Print(WIDE("        compatibility with less-sophisticated applications.\n"));
  Print(WIDE("\n"));
  Print(WIDE("This program with the /batch switch puts out ONE LINE of version in-\n"));
  Print(WIDE("formation that is as accurate as can be found.  This line is composed\n"));
  Print(WIDE("of space-separated fields, as follows:\n"));
  Print(WIDE("\n"));
  Print(WIDE("   ppp aaa PP vM vm bld SP spvM spvm detp nat ins\n"));
  Print(WIDE("\n"));
  Print(WIDE("   ppp    - \"Purpose\". Can be WKS (single-console-user system), WHS\n"));
  Print(WIDE("            (Windows Home Server), SVR (server), SDC (Server/Domain\n"));
  Print(WIDE("            troller).\n"));
  Print(WIDE("\n"));
  Print(WIDE("   aaa    - Architecture.  Can be \"x86\" (32-bit), \"AMD64\" (aka \"x64\", 64-\n"));
  Print(WIDE("            bit AMD-inspired architecture, \"ia64\" (64-bit Itanium), \"ARM\"\n"));
  Print(WIDE("            (ARM processors), \"MIPS\" (MIPS processors), \"Alpha\" (DEC Alpha\n"));
  Print(WIDE("            processors), \"PPC\" (Power-PC processors).\n"));
  Print(WIDE("\n"));
  Print(WIDE("   PP     - Platform (code base).  This can be \"NT\" (Windows NT code\n"));
  Print(WIDE("            base), \"32s\" (Windows 32s running on Windows 3.x), \"95\" (Win-\n"));
  Print(WIDE("            dows 95 / 98 / Millenium). \n"));
  Print(WIDE("\n"));
  Print(WIDE("   vM     - Major version.  In Windows XP, this is '5', Vista++ it's '6'.\n"));
  Print(WIDE("\n"));
  Print(WIDE("   vm     - Minor version.  In Windows XP, this is '1', Windows 8, '2', ...\n"));
  Print(WIDE("\n"));
  Print(WIDE("   bld    - Build number.\n"));
  Print(WIDE("\n"));
  Print(WIDE("   SP     - The literal characters \"SP\".\n"));
  Print(WIDE("\n"));
  Print(WIDE("   spvM   - Service Pack Major Version.\n"));
  Print(WIDE("\n"));
  Print(WIDE("   spvm   - Service Pack minor Version.\n"));
  Print(WIDE("\n"));
  Print(WIDE("   detp   - Detail purpose.  \n"));
  Print(WIDE("\n"));
  Print(WIDE("   nat    - National Edition.  This is inspired by lawsuits to which these\n"));
  Print(WIDE("            are the Microsoft response.  \"E\" (Europe - currently not suppor-\n"));
  Print(WIDE("            ted), \"N\" (built without certain apps - Media Player and asso-\n"));
  Print(WIDE("            ciated apps), \"_\" (standard feature set).  The \"K\" variant,\n"));
  Print(WIDE("            which adds links to a multimedia player site and some other simi-\n"));
  Print(WIDE("            lar material, cannot be distinguished.\n"));
  Print(WIDE("\n"));
  Print(WIDE("   ins    - \"F\" (Full install - the Windows GUI is present), or \"C\" (Core\n"));
  Print(WIDE("            installation - the Windows GUI is not present and the command line\n"));
  Print(WIDE("            is exclusively used to control Windows.\n"));
  Print(WIDE("\n"));
  Print(WIDE("The recommended usage of this command in a batch file is as follows:\n"));
  Print(WIDE("\n"));
  Print(WIDE("   FOR /F \"tokens=1-12 usebackq\" %%%%J in (`%s /batch`) do (\n"), programName);
  Print(WIDE("      set __PURPOSE=%%%%J\n"));
  Print(WIDE("      set __ARCH=%%%%K\n"));
  Print(WIDE("      set __PLATFORM=%%%%L\n"));
  Print(WIDE("      set __VER.MAJOR=%%%%M\n"));
  Print(WIDE("      set __VER.MINOR=%%%%N\n"));
  Print(WIDE("      set __VER.BUILD=%%%%O\n"));
  Print(WIDE("      set __VSP.MAJOR=%%%%Q\n"));
  Print(WIDE("      set __VSP.MINOR=%%%%R\n"));
  Print(WIDE("      set __PURPOSE.DETAIL=%%%%S\n"));
  Print(WIDE("      set __NAT_ED=%%%%T\n"));
  Print(WIDE("      set __UITYPE=%%%%U\n"));
  Print(WIDE("   )\n"));
  Print(WIDE("\n"));
  Print(WIDE("You should use SETLOCAL ENABLEEXTENSIONS in the batch that includes this code\n"));
  Print(WIDE("as they could be turned off by a user, even though they are the default.  To\n"));
  Print(WIDE("reduce clutter, you can delete lines above for each item you don't need.\n"));
  Print(WIDE("\n"));
}
