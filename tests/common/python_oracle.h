#pragma once
// Runs a script under Debian's interpreter (where python3-openpyxl, python3-xlwt and
// python3-dbfread live, whatever python3 is first on PATH) in a folder; its output.
#include "platform/files.h"

#include <cstdio>
#include <string>

inline std::string RunPython(const std::string& folder, const std::string& body) {
    std::string script = folder + "/oracle.py";
    platform::WriteFileAtomic(script, "#!/usr/bin/python3\n" + body);
    std::string command = "cd '" + folder + "' && /usr/bin/python3 oracle.py 2>&1";
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}
