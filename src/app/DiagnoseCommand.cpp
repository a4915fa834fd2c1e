#include "app/DiagnoseCommand.h"

#include "app/DeviceBackends.h"
#include "device/diagnose/BackendFacts.h"
#include "device/diagnose/DiagnosisReport.h"
#include "device/diagnose/SystemReader.h"
#include "device/diagnose/Verdict.h"

int RunDiagnoseCommand(std::ostream& out, bool json, Emulation emulation) {
    // The emulated keyboard keeps its settings in memory here: a diagnosis changes nothing.
    std::shared_ptr<HidBackend> backend = MakeHidBackend(emulation, {});
    SystemFacts facts = emulation == Emulation::None ? ReadSystemFacts(SystemLocations::Default())
                                                     : EmulatedSystemFacts(*backend);
    ReadInformationInto(facts, backend);
    const Diagnosis diagnosis = Diagnose(facts);
    if (json)
        WriteJsonReport(out, facts, diagnosis);
    else
        WriteHumanReport(out, facts, diagnosis);
    out.flush();
    return diagnosis.ExitCode();
}
