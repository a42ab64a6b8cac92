// The processor test's computations give their known answers, and a wrong
// result is charged to the processor that computed it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/cputest/KnownAnswers.h"
#include "modules/cputest/Sha256.h"

using namespace tavil::modules;

namespace {

std::vector<std::string> SoundResults() {
    std::vector<std::string> results;
    for (const Computation& c : Computations())
        results.push_back(c.run());
    return results;
}

size_t IndexOf(const char* name) {
    for (size_t i = 0; i < Computations().size(); ++i)
        if (std::string(Computations()[i].name) == name)
            return i;
    ADD_FAILURE() << name;
    return 0;
}

} // namespace

TEST(Sha256, StandardVectors) {
    struct Case {
        std::string input, digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits in the first padding block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.digest, Sha256Hex(reinterpret_cast<const uint8_t*>(c.input.data()), c.input.size())) << c.input;
}

TEST(KnownAnswers, EveryComputationGivesItsKnownAnswer) {
    std::vector<std::string> results = SoundResults();
    for (size_t i = 0; i < Computations().size(); ++i)
        if (Computations()[i].knownAnswer)
            EXPECT_EQ(Computations()[i].knownAnswer, results[i]) << Computations()[i].name;
    EXPECT_EQ(results, SoundResults()) << "every computation is deterministic";
    EXPECT_TRUE(CompareResults({0, 1}, {results, results}).empty());
}

TEST(KnownAnswers, WrongResultIsChargedToItsProcessor) {
    const std::vector<std::string> sound = SoundResults();
    const size_t sieve = IndexOf("Prime sieve"), series = IndexOf("Floating-point series");
    struct Case {
        const char* what;
        size_t processorsCount;
        size_t badProcessor; // index into the processor list
        size_t computation;
        int expectedNumber;   // the processor number reported
        std::string expected; // the value reported as expected
    } cases[] = {
        {"known answer, one of four", 4, 2, sieve, 5, "348513"},
        {"known answer, single processor", 1, 0, sieve, 1, "348513"},
        {"no known answer: the majority holds", 4, 3, series, 7, sound[series]},
    };
    const std::vector<int> numbers = {1, 3, 5, 7};
    for (const Case& c : cases) {
        std::vector<int> processors(numbers.begin(), numbers.begin() + c.processorsCount);
        std::vector<std::vector<std::string>> results(c.processorsCount, sound);
        results[c.badProcessor][c.computation] = "wrong";
        std::vector<ProcessorFailure> failures = CompareResults(processors, results);
        ASSERT_EQ(1u, failures.size()) << c.what;
        EXPECT_EQ(c.expectedNumber, failures[0].processor) << c.what;
        EXPECT_EQ(Computations()[c.computation].name, failures[0].computation) << c.what;
        EXPECT_EQ(c.expected, failures[0].expected) << c.what;
        EXPECT_EQ("wrong", failures[0].actual) << c.what;
    }
}

TEST(KnownAnswers, TieWithoutKnownAnswerKeepsTheLowestProcessor) {
    std::vector<std::string> sound = SoundResults();
    const size_t series = IndexOf("Floating-point series");
    std::vector<std::vector<std::string>> results(2, sound);
    results[1][series] = "other";
    std::vector<ProcessorFailure> failures = CompareResults({0, 1}, results);
    ASSERT_EQ(1u, failures.size());
    EXPECT_EQ(1, failures[0].processor);
    EXPECT_EQ("  Processor 1: Floating-point series gave other, expected " + sound[series] + "\r\n",
              FailureLine(failures[0]));
}

TEST(KnownAnswers, MissingResultsOfAProcessorThatDidNotRunAreNotFailures) {
    std::vector<std::vector<std::string>> results = {SoundResults(), {}};
    EXPECT_TRUE(CompareResults({0, 1}, results).empty());
}
