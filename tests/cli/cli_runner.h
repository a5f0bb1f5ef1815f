#pragma once
// Runs the command line in-process with the shipped settings beside the test.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "cli/cli.h"

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class CliRunner : public ::testing::Test {
protected:
    // Arguments as the system gives them: UTF-16 text becomes UTF-8 natively,
    // a byte string is a native name as it stands.
    int Run(const std::vector<std::filesystem::path>& args, const std::string& input = "") {
        FILE* in = std::tmpfile();
        FILE* out = std::tmpfile();
        FILE* err = std::tmpfile();
        std::fwrite(input.data(), 1, input.size(), in);
        std::rewind(in);
        const int status = RunCli(args, in, out, err);
        output = ReadBack(out);
        errors = ReadBack(err);
        std::fclose(in);
        return status;
    }
    // Exactly one line on the error stream, in the program's form.
    void ExpectOneErrorLine(const std::string& mentioning) const {
        EXPECT_EQ(errors.rfind("lumatype-cli: ", 0), 0u) << errors;
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find(mentioning), std::string::npos) << errors;
    }

    std::string output, errors;

private:
    static std::string ReadBack(FILE* file) {
        std::rewind(file);
        std::string text;
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) text.append(chunk, n);
        std::fclose(file);
        return text;
    }
};
