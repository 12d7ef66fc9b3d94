#include <gtest/gtest.h>

#include <set>

#include "game/answer_table.h"
#include "game/country_table.h"
#include "recording_runtime.h"

namespace {

// Labels whose wrong-answer message has one space after "This is"; the rest have two.
const std::set<std::string_view> kOneSpace = {
    "Label9",  "Label10", "Label11", "Label12", "Label13", "Label14", "Label20", "Label21",
    "Label26", "Label27", "Label33", "Label34", "Label36", "Label37", "Label40", "Label50",
    "Label51", "Label52", "Label53", "Label55", "Label64", "Label71", "Label82", "Label83",
};

std::string expectedMiss(const game::AnswerRow& row)
{
    std::string text = kOneSpace.contains(row.label) ? "This is " : "This is  ";
    text += game::findCountry(row.number)->name;
    if (row.label == "Label31")
        text += ' ';
    return text;
}

std::string expectedMatch(const game::AnswerRow& row)
{
    return row.label == "Label55" ? "       EXACT" : "        EXACT";
}

game::GameState asking(std::int16_t caso, std::int16_t errori = 0)
{
    return testsupport::startingWith(caso, 0, errori);
}

} // namespace

TEST(AnswerTable, EveryRowAnswersWithItsOwnTexts)
{
    std::set<int> accepted;
    for (const game::AnswerRow& row : game::kAnswers) {
        SCOPED_TRACE(std::string(row.label));
        ASSERT_NE(game::findCountry(row.number), nullptr);
        accepted.insert(row.number);

        const std::int16_t other = row.number == 1 ? 2 : 1;
        testsupport::RecordedGame miss(asking(other, 3));
        miss.quiz.labelClick(row);
        ASSERT_EQ(miss.runtime.boxes.size(), 1u);
        EXPECT_EQ(miss.runtime.boxes[0].prompt, expectedMiss(row));
        EXPECT_EQ(miss.runtime.boxes[0].style, game::BoxStyle::Plain);
        EXPECT_FALSE(miss.runtime.boxes[0].title.has_value());
        EXPECT_EQ(miss.quiz.state().errori, 4);
        EXPECT_TRUE(miss.runtime.sounds.empty());

        testsupport::RecordedGame match(asking(row.number, 3));
        match.form.command2Visible = false;
        match.form.lblreg = "somewhere";
        match.quiz.labelClick(row);
        ASSERT_EQ(match.runtime.boxes.size(), 1u);
        EXPECT_EQ(match.runtime.boxes[0].prompt, expectedMatch(row));
        EXPECT_EQ(match.quiz.state().errori, 3);
        EXPECT_TRUE(match.form.command2Visible);
        EXPECT_EQ(match.form.lblreg, "");
    }
    EXPECT_EQ(accepted.size(), 29u) << "every country is accepted somewhere";
    EXPECT_EQ(game::findAnswer("Label35"), nullptr);
    EXPECT_EQ(game::findAnswer("Label43"), nullptr);
    for (auto silent : {"Label42", "Label44", "Label45", "Label56", "Label57", "Label58",
                        "Label67", "Label69", "Label74", "Label77", "Label78", "Label79",
                        "Label84", "Label85", "Label86"})
        EXPECT_EQ(game::findAnswer(silent), nullptr) << silent;
}

TEST(AnswerCheck, MatchSoundFollowsTheClosedBox)
{
    testsupport::RecordedGame g(asking(23));
    g.quiz.labelClick(*game::findAnswer("Label71"));
    const std::vector<std::string> expected = {
        "box:        EXACT", "sound:/quiz/Europa/Esatto.wav", "show Command2", "lblreg:",
    };
    EXPECT_EQ(g.log.entries, expected);

    // Clicking the right country again answers the same way and counts nothing.
    g.log.entries.clear();
    g.quiz.labelClick(*game::findAnswer("Label55"));
    EXPECT_EQ(g.log.entries.front(), "box:       EXACT");
    EXPECT_EQ(g.runtime.sounds.size(), 2u);
    EXPECT_EQ(g.quiz.state().errori, 0);
    EXPECT_EQ(g.quiz.state().punti, 0);
    EXPECT_EQ(g.quiz.state().caso, 23);
}

TEST(AnswerCheck, ErrorCountsOnlyAfterTheBoxCloses)
{
    testsupport::RecordedGame g;
    g.runtime.onBox = [&] { EXPECT_EQ(g.quiz.state().errori, 0); };
    g.quiz.labelClick(*game::findAnswer("Label3"));
    EXPECT_EQ(g.runtime.boxes[0].prompt, "This is  Bulgaria");
    EXPECT_EQ(g.quiz.state().errori, 1);
}

TEST(AnswerCheck, BeforeTheFirstChallengeEveryLabelIsAMiss)
{
    testsupport::RecordedGame g;
    for (const game::AnswerRow& row : game::kAnswers)
        g.quiz.labelClick(row);
    EXPECT_EQ(g.quiz.state().errori, static_cast<std::int16_t>(game::kAnswers.size()));
    EXPECT_TRUE(g.runtime.sounds.empty());
}

TEST(AnswerCheck, EveryMemberOfTheItalianGroupAnswersAlike)
{
    for (std::int16_t index : {0, 1, 2}) {
        testsupport::RecordedGame g(asking(13));
        g.quiz.Label50_Click(index);
        EXPECT_EQ(g.runtime.boxes.at(0).prompt, "        EXACT");
        testsupport::RecordedGame miss(asking(8));
        miss.quiz.Label50_Click(index);
        EXPECT_EQ(miss.runtime.boxes.at(0).prompt, "This is Italy");
    }
}

TEST(AnswerCheck, ErrorsOverflowIsARunTimeErrorAndKeepTheCount)
{
    testsupport::RecordedGame g(asking(0, 32767));
    EXPECT_THROW(g.quiz.labelClick(*game::findAnswer("Label1")), game::RuntimeError);
    EXPECT_EQ(g.quiz.state().errori, 32767);
}
