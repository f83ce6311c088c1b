// The fixture of every host test: a fresh fake machine for each test.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/fake_platform.h"

class FakeMachineTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

// The lines of a block of text, without blank lines or leading spaces.
inline std::vector<std::string> Lines(const std::string& block) {
    std::vector<std::string> lines;
    std::istringstream in(block);
    for (std::string line; std::getline(in, line);) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start != std::string::npos) lines.push_back(line.substr(start));
    }
    return lines;
}
