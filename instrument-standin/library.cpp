#include "tarvikdll.h"

extern "C" {
std::int32_t TARVIKopen(std::int32_t *, std::int32_t) { return kTarvikNotFound; }
std::int32_t TARVIKgetserial(std::int32_t, char *) { return 1; }
std::int32_t TARVIKgetdevicecalname(std::int32_t, std::int32_t, char *) { return 1; }
std::int32_t TARVIKretrievedevicecal(std::int32_t, std::int32_t, CalibrationBlock *) { return 1; }
std::int32_t TARVIKloaddevicecal(std::int32_t, std::int32_t, CalibrationBlock *) { return 1; }
std::int32_t TARVIKclose(std::int32_t) { return 0; }
}
