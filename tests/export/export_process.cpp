#include "export/export_process.h"

#include "support/child_process.h"

ProgramResult RunLumenvale(const std::vector<std::string>& arguments) {
    ChildProcess program(LUMENVALE_EXECUTABLE, arguments);
    const int status = program.Wait();
    return {status, program.StandardOutput(), program.StandardError()};
}
