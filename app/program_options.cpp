// The command line of the desktop program.
#include "app/program_entry.h"

#include "platform/exception.h"

namespace kvx {

TProgramOptions ParseProgramOptions(const std::vector<std::string>& arguments) {
    TProgramOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](const char* name) {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty())
                throw Exception(Format("%s needs a value.", name));
            return arguments[++i];
        };
        if (argument == "--program-folder") options.ProgramFolder = value("--program-folder");
        else if (argument.rfind("--program-folder=", 0) == 0) options.ProgramFolder = argument.substr(17);
        else if (argument == "--screenshot") options.Screenshot = value("--screenshot");
        else if (argument.rfind("--screenshot=", 0) == 0) options.Screenshot = argument.substr(13);
        else if (argument == "--help" || argument == "-h") options.Help = true;
        else throw Exception(Format("Unknown option %s.", argument.c_str()));
    }
    return options;
}

}  // namespace kvx
