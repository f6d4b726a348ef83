#pragma once

#include <cstdio>
#include <cstring>
#include <string>

// The fields of /proc/<pid>/stat from field 3 (state) on, or "" when the
// process is gone. Field 2, the command, is in parentheses and may hold
// spaces and ')', so the rest starts after the last ')'.
inline std::string procStatFromState(const std::string &path)
{
    FILE *f = std::fopen(path.c_str(), "r");
    if (!f)
        return {};
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    const char *p = std::strrchr(buffer, ')');
    return p && p[1] == ' ' ? std::string(p + 2) : std::string();
}
