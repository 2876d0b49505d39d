#pragma once
// Reads the reference fixtures written by tests/fixtures/make_fixtures.py:
// '#' comment lines, then one row of whitespace-separated numbers per line.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::vector<double>> ReadFixture(const std::string& name)
{
    std::ifstream in(std::string(TONALYX_FIXTURES) + "/" + name);
    std::vector<std::vector<double>> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::vector<double> row;
        double v;
        while (fields >> v)
            row.push_back(v);
        rows.push_back(std::move(row));
    }
    return rows;
}
