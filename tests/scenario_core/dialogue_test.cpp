#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Failure.h"
#include "scenario/core/FailureDialogue.h"
#include "scenario/core/StepSequence.h"

namespace velmora {
namespace {

TEST(FailureMessage, FileSystemRowsOfferRetryAndSkip) {
  struct Row {
    int code;
    std::string text;
    std::string title;
  };
  const std::string retry = "\r再試行しますか？";
  const std::string notFound = "ファイルが見つかりません。";
  const std::string fileError = "ファイルエラー";
  const std::vector<Row> rows = {
      {53, notFound + retry, fileError},
      {76, notFound + retry, fileError},
      {68, "ドライブが有効でありません。" + retry, "ドライブエラー"},
      {71, "ドライブが有効でありません。" + retry, "ドライブエラー"},
      {70, "ファイルの書き込み権限がありません。" + retry, fileError},
      {75, "ファイルのパスが無効です。" + retry, "パスエラー"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    const FailureMessage message = MessageForFailure(row.code);
    EXPECT_EQ(message.text, row.text);
    EXPECT_EQ(message.title, row.title);
    EXPECT_EQ(message.yes, DialogueChoice::Retry);
    EXPECT_EQ(message.no, DialogueChoice::Skip);
    EXPECT_EQ(message.dismissed, DialogueChoice::Skip);
  }
}

TEST(FailureMessage, OtherCodesAreUnexpectedWithSkipOrEnd) {
  for (int code : {5, 52, 62, 6, 1234}) {
    SCOPED_TRACE(code);
    const FailureMessage message = MessageForFailure(code);
    EXPECT_EQ(message.text, "予期せぬエラー(" + std::to_string(code) + ")が発生しました。\r続行を試みますか？");
    EXPECT_EQ(message.title, "想定外のエラー");
    EXPECT_EQ(message.yes, DialogueChoice::Skip);
    EXPECT_EQ(message.no, DialogueChoice::EndProgram);
    // Esc or the close button: only an explicit No ends the program.
    EXPECT_EQ(message.dismissed, DialogueChoice::Skip);
  }
  // No line feed anywhere, the code's digits right inside the parentheses.
  EXPECT_EQ(MessageForFailure(52).text.find('\n'), std::string::npos);
  EXPECT_NE(MessageForFailure(52).text.find("(52)"), std::string::npos);
}

// Answers from a script and records the codes it was asked about.
class AnswerList : public FailureDialogue {
 public:
  explicit AnswerList(std::vector<DialogueChoice> script) : script_(std::move(script)) {}
  DialogueChoice Ask(int code) override {
    asked.push_back(code);
    const DialogueChoice choice = script_.at(next_++);
    return choice;
  }
  std::vector<int> asked;

 private:
  std::vector<DialogueChoice> script_;
  std::size_t next_ = 0;
};

TEST(StepSequence, RetryRunsTheFailedStepAgainFromItsStart) {
  std::vector<std::string> trace;
  int failuresLeft = 2;
  AnswerList dialogue({DialogueChoice::Retry, DialogueChoice::Retry});
  const SequenceEnd end = StepSequence{
      [&] {
        trace.push_back("a");
        return StepResult::Next;
      },
      [&] {
        trace.push_back("b");
        if (failuresLeft-- > 0) throw Failure{53};
        trace.push_back("b done");
        return StepResult::Next;
      },
      [&] {
        trace.push_back("c");
        return StepResult::Next;
      },
  }
                              .Run(dialogue);
  EXPECT_EQ(end, SequenceEnd::Completed);
  EXPECT_EQ(trace, (std::vector<std::string>{"a", "b", "b", "b", "b done", "c"}));
  EXPECT_EQ(dialogue.asked, (std::vector<int>{53, 53}));
}

TEST(StepSequence, SkipGoesOnWithTheNextStep) {
  std::vector<std::string> trace;
  AnswerList dialogue({DialogueChoice::Skip, DialogueChoice::Skip});
  const SequenceEnd end = StepSequence{
      [&] {
        trace.push_back("open");
        throw Failure{76};
        return StepResult::Next;
      },
      [&] {
        trace.push_back("read");
        throw Failure{52};
        return StepResult::Next;
      },
      [&] {
        trace.push_back("beep");
        return StepResult::Next;
      },
  }
                              .Run(dialogue);
  EXPECT_EQ(end, SequenceEnd::Completed);
  EXPECT_EQ(trace, (std::vector<std::string>{"open", "read", "beep"}));
  EXPECT_EQ(dialogue.asked, (std::vector<int>{76, 52}));
}

TEST(StepSequence, EndProgramAndStopRunNoFurtherStep) {
  bool after = false;
  AnswerList ending({DialogueChoice::EndProgram});
  EXPECT_EQ((StepSequence{[] {
                            throw Failure{52};
                            return StepResult::Next;
                          },
                          [&] {
                            after = true;
                            return StepResult::Next;
                          }}
                 .Run(ending)),
            SequenceEnd::ProgramEnded);
  EXPECT_FALSE(after);

  AnswerList unused({});
  EXPECT_EQ((StepSequence{[] { return StepResult::Stop; },
                          [&] {
                            after = true;
                            return StepResult::Next;
                          }}
                 .Run(unused)),
            SequenceEnd::Stopped);
  EXPECT_FALSE(after);
  EXPECT_TRUE(unused.asked.empty());
}

}  // namespace
}  // namespace velmora
