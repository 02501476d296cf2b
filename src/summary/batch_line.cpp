#include "summary/batch_line.h"

#include "platform/format.h"

void PrintBatchLine(const BatchData& data) {
  Print(WIDE("%s %s %s %u %u %u SP %u %u %s %s %s\n"), data.ppp, data.aaa,
        data.PP, data.vM, data.vm, data.bld, data.spvM, data.spvm, data.detp,
        data.nat, data.ins);
}
