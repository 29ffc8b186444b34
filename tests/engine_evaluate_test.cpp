// Formula -> the text the calculator shows for it (unrounded), grouped by what the rows
// exercise; then the value and report of failed evaluations, deep nesting and huge inputs.

#include "engine/evaluation.h"
#include "engine/exec_text.h"
#include "test_text.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace quarnis {
namespace {

    struct Row {
        const char16_t* formula;
        const char* shown;
    };

    void expectShown(std::initializer_list<Row> rows, int decimals = -1)
    {
        for (const Row& r : rows) {
            SCOPED_TRACE(utf8(r.formula));
            EXPECT_EQ(utf8(execText(r.formula, decimals)), r.shown);
        }
    }

    constexpr const char* kParen = "Geçersiz parantez...";
    constexpr const char* kSyntax = "Yazım hatası...";
    constexpr const char* kFailure = "Yazım Hatası...";

    // A formula, the value its evaluation gives and the text of its report ("" for none); that
    // EXEC shows the report: fuzz_evaluate.
    struct OutcomeRow {
        std::u16string formula;
        Extended value;
        const char* report;
    };

    void expectOutcomes(std::initializer_list<OutcomeRow> rows)
    {
        for (const OutcomeRow& r : rows) {
            SCOPED_TRACE(utf8(r.formula.substr(0, 40)));
            const Evaluation outcome = evaluate(r.formula);
            EXPECT_EQ(outcome.value, r.value);
            EXPECT_EQ(outcome.error ? utf8(outcome.error->text()) : "", r.report);
        }
    }

    TEST(Evaluate, ShowsTheValueOfSumsProductsPowersAndFunctions)
    {
        expectShown({ { u"", "0" }, { u"  2 + 2 ", "4" }, { u"1 000", "1000" }, { u"2+3*4", "14" },
            { u"1-2-3", "-4" }, { u"0.1+0.2", "0.3" }, { u"5--3", "8" }, { u"5-+-3", "8" },
            { u"--5", "5" }, { u"5-", "5" }, { u"2E3", "2000" }, { u"1.5E-7", "1.5E-7" },
            { u".5", "0.5" }, { u"5.", "5" }, { u"1E6000", "INF" }, { u"1E6000-1", "INF" },
            { u"1/3*3", "0.999999999" }, { u"8/2/2", "2" }, { u"2--3*4", "14" }, { u"2*-3", "-6" },
            { u"2*--3", "6" }, { u"-3*4", "-12" }, { u"2/-(4)", "-0.5" }, { u"-(2)", "-2" },
            { u"(1+2)*(3+4)", "21" }, { u"2*(3+4)/7", "2" }, { u"2(3)", "23" }, { u"2+*3", "2" },
            { u"0*-2", "0" }, { u"(1)(2)", "10000000002" }, { u"((((1))))", "1" },
            // The backward number run of '2--' is the sign '-', which reads as 0: the product
            // is written as '0.000000000', not '-0.000000000', so the next term keeps its sign.
            { u"2--*3(5)", "-3" }, { u"42(-*45)", "420" }, { u"-*(1)PI", "3" },
            { u"65(+-/+364.3)pi", "6500000000003" }, { u"2--/3", "2" }, { u"2+-*3", "2" },
            { u"-*2+5", "5" }, { u"(-*2)5", "5E-10" },
            // The powers pass reads the same run as its base.
            { u"-!", "1" }, { u"2*-!", "2" }, { u"2--!", "1" }, { u"(+!)5", "1.0000000005" },
            // Powers and factorials from the right, then the function words.
            { u"2^10", "1024" }, { u"4^0.5", "2" }, { u"4^-0.5", "0.5" },
            { u"2^0.5^2", "1.189207115" }, { u"2^3^2", "512" }, { u"2^(1+1)^2", "16" },
            { u"3!", "6" }, { u"3!!", "720" }, { u"(2+1)!", "6" }, { u"3!^2", "36" },
            { u"2^3!", "64" }, { u"((2+3)*4)^2", "400" }, { u"(2^2+1)*3", "15" },
            { u"3-2^2", "-1" }, { u"(-2^2)", "-4" }, { u"2^-1^2", "0.5" }, { u"2.5!", "2" },
            { u"0!", "1" }, { u"2^", "1" }, { u"!5", "1.0000000005" }, { u"1754!", "2E4930" },
            { u"sin(2)", "0.909297427" }, { u"SIN (2)", "0.909297427" }, { u"Sin(Pi/2)", "1" },
            { u"SIN(PI)", "0" }, { u"TAN(PI/4)", "1.000000001" }, { u"COT(PI/4)", "0.999999999" },
            { u"LOG(100)", "2" }, { u"LOG(1E1000)", "999.999999997" }, { u"LN(EXP(1))", "1" },
            { u"ABS(-3)", "3" }, { u"SQRT(16)", "4" }, { u"ATAN(1)*4", "3.141592652" },
            { u"ACOS(0.5)", "1.047197551" }, { u"ASIN(0.5)", "0.523598776" },
            { u"SIN(COS(0))", "0.841470985" }, { u"2PI", "23.141592654" },
            { u"PI2", "3.1415926542" }, { u"2SIN(0)", "20" }, { u"SIN(1E20)", "-0.645251285" },
            { u"ASIN(1)", "1.570796327" }, { u"ASIN(-1)", "-1.570796327" },
            { u"ACOS(0)", "1.570796327" }, { u"ACOS(-0.5)", "2.094395102" },
            { u"ACOS(-1)", "3.141592654" }, { u"ACOS(1)", "0" }, { u"ASIN(1.1)", kFailure },
            { u"ACOS(-1.1)", kFailure } });
    }

    TEST(Evaluate, SyntaxErrorsKeepWhatWasReadBefore)
    {
        expectOutcomes({ { u"2+3#4", 5, kSyntax }, { u"2+3\r\n4", 5, kSyntax },
            { u"SIN(2#)+1", 0.909297427L + 1, kSyntax }, { u"2+E", 2, kSyntax },
            { u"2*", 2, kSyntax }, { u"2+3)-(4", 5, kSyntax }, { u"(2#)*3", 2, kSyntax },
            { u"2,5", 2, kSyntax }, { u"0+2,5", 2, kSyntax },
            // Only the first syntax error of an evaluation reports; a failure replaces it.
            { u"2#+SQRT(-1)", 2, kSyntax }, { u"SQRT(2#)+1/0", 0, kFailure } });
    }

    TEST(Evaluate, EvaluationFailuresGiveZero)
    {
        for (const char16_t* f : { u"1/0", u"0/0", u"COT(0)", u"LN(0)", u"LOG(0)", u"LN(-1)",
                 u"0^2", u"(-2)^2", u"-2^2", u"3*-2^2", u"^2", u"SQRT(-1)", u"1755!", u"65536!",
                 u"-1!", u"-3!", u"EXP(12000)", u"10^5000", u"1E4950", u"()", u"SIN()", u")(",
                 u",5", u"SINH(1)", u"X", u"E", u"E5", u"*5", u"/(2)", u"2^()", u"1E6000-1E6000",
                 u"SIN(1E6000)", u"1E6000*2", u"(1E6000)", u"1E6000^2", u"ABS(-1E6000)", u"ä" })
            expectOutcomes({ { f, 0, kFailure } });
        for (const char16_t* f : { u"(2+3", u"2*(3", u"(1+2", u"))(" })
            expectOutcomes({ { f, 0, kParen } });
    }

    // Each evaluation reports its own errors only, on whichever thread it runs.
    TEST(Evaluate, ReportsBelongToTheirEvaluation)
    {
        std::thread other([] {
            for (int i = 0; i < 2000; ++i)
                ASSERT_EQ(evaluate(u"2+3#4").error, EngineError { Report::Syntax });
        });
        for (int i = 0; i < 2000; ++i)
            ASSERT_FALSE(evaluate(u"2+3").failed());
        other.join();
    }

    std::u16string repeat(std::u16string_view unit, std::size_t n)
    {
        std::u16string s;
        for (std::size_t i = 0; i < n; ++i)
            s += unit;
        return s;
    }

    std::u16string nested(std::u16string_view open, std::u16string_view inner, std::size_t depth)
    {
        return repeat(open, depth) + std::u16string(inner) + repeat(u")", depth);
    }

    TEST(Evaluate, DeepNestingEvaluatesOrFailsCleanly)
    {
        expectShown({
            { nested(u"(1*", u"2", 10000).c_str(), "2" },
            // The reports made on the deep stack's thread reach the caller.
            { nested(u"(", u"2+3#4", 10000).c_str(), "Yazım hatası..." },
            { nested(u"(", u"1/0", 10000).c_str(), "Yazım Hatası..." },
        });
        // At the nesting limit, with every kind of nested reading.
        const std::size_t d = kMaxNestingDepth;
        expectShown({
            { nested(u"(", u"1", d).c_str(), "1" },
            { nested(u"SQRT(", u"1", d).c_str(), "1" },
            { (std::u16string(d, u'(') + u"2" + repeat(u")^1", d)).c_str(), "2" },
            { (repeat(u"1^(", d) + u"2" + repeat(u")", d)).c_str(), "1" },
        });
        // Deeper than the engine nests: an evaluation failure, never a stack overflow.
        expectOutcomes({ { nested(u"(", u"1", 1000000), 0, kFailure } });
    }

    // Groups whose ")" is missing from the text a pass reads: no read beyond either end.
    TEST(Evaluate, UnmatchedOrderOfParenthesesStaysInBounds)
    {
        expectOutcomes({ { u")SIN(2", 0, kFailure }, { u")2^(3", 0, kFailure },
            { u"2)^2(", 0, kFailure }, { u")!(", 0, kFailure }, { u"(2)3)^(2", 4.000000001L, "" },
            { u")(2)^2", 0, kParen } });
    }

    TEST(Evaluate, HugeFormulas)
    {
        expectShown({
            { repeat(u"1+", 200000).append(u"1").c_str(), "200001" },
            { repeat(u"1*", 200000).append(u"1").c_str(), "1" },
            { repeat(u"1^", 200000).append(u"1").c_str(), "1" },
            { repeat(u"SIN(0)+", 50000).append(u"1").c_str(), "1" },
        });
    }

} // namespace
} // namespace quarnis
