#include "core/production/ProvenWrite.h"

#include "core/link/Protocol.h"
#include "core/production/Backup.h"
#include "core/texts/Texts.h"

#include <chrono>
#include <thread>
#include <variant>

namespace hx {
namespace {

using namespace std::chrono_literals;

// A radio may answer the acknowledgement that closes a read, and that answer may
// still be on its way when the next transfer begins, which would take it for its own
// first answer and then stumble over the bytes after it. So a read here ends once the
// line has been quiet for as long as an acknowledgement is awaited.
void AwaitQuietLine(SerialPort& port) {
    constexpr auto kQuiet = 50ms;
    constexpr int kMostBursts = 10; // a line that never falls quiet is the next step's to find
    try {
        for (int burst = 0; burst < kMostBursts; ++burst) {
            port.waitForInput(kQuiet);
            if (port.waitingCount() == 0)
                return;
            port.takeAll();
        }
    } catch (const PortError&) {
        // The next exchange meets the failure and names its step.
    }
}

// The radio said nothing valid to the handshake, and the port itself is well.
bool Unanswered(const LinkFailure& failure) {
    return !failure.portError &&
           (failure.step == LinkStep::LeadCodeAnswer || failure.step == LinkStep::IdentityAnswer);
}

class ProofRun {
public:
    ProofRun(SerialPort& port, const MemoryImage& image, const ModelData& model,
             const ProofOptions& options, Language language, const ProofEvents& events)
        : port_(port), image_(image), model_(model), options_(options), language_(language),
          events_(events) {}

    ProofOutcome run() {
        if (options_.backupFolder && !(backup() && guard()))
            return outcome_;
        if (events_.stopRequested && events_.stopRequested()) {
            outcome_.result = ProofResult::Stopped;
            outcome_.failedStep = ProofStep::Write;
            outcome_.reason = text(Text::StoppedBeforeWrite);
            return outcome_;
        }
        if (write() && options_.verify)
            verify();
        else if (outcome_.passed())
            outcome_.reason = text(Text::Written);
        return outcome_;
    }

private:
    std::string text(Text t) const { return std::string(TextOf(t).in(language_)); }
    std::string text(Text t, std::initializer_list<std::string_view> args) const {
        return FillText(TextOf(t).in(language_), args);
    }

    void begin(ProofStep step) {
        if (events_.stepBegun)
            events_.stepBegun(step);
    }
    Progress progress(ProofStep step, int frameTotal) const {
        if (!events_.progress)
            return {};
        return [this, step, frameTotal](int framesBegun) {
            events_.progress(step, framesBegun, frameTotal);
        };
    }
    bool fail(ProofStep step, std::string reason, ProofResult result = ProofResult::Fail) {
        outcome_.result = result;
        outcome_.failedStep = step;
        outcome_.reason = std::move(reason);
        return false;
    }

    bool backup() {
        begin(ProofStep::Backup);
        auto read = ReadRadio(port_, BlankImage(), progress(ProofStep::Backup, kReadBlockCount),
                              options_.patience);
        AwaitQuietLine(port_);
        if (const auto* failure = std::get_if<LinkFailure>(&read))
            return fail(ProofStep::Backup, text(Text::BackupReadFailed, {failure->message()}));
        radio_ = std::get<MemoryImage>(read);
        const auto saved = SaveBackup(*options_.backupFolder, radio_, model_.profile,
                                      std::chrono::system_clock::now());
        if (const auto* error = std::get_if<FileError>(&saved))
            return fail(ProofStep::Backup, text(Text::BackupNotSaved, {error->message}));
        outcome_.backupFile = std::get<std::filesystem::path>(saved);
        return true;
    }

    bool guard() {
        begin(ProofStep::Guard);
        outcome_.guard = CheckRadioKind(radio_, image_, model_.profile, language_);
        if (!outcome_.guard || (events_.writeAnyway && events_.writeAnyway(*outcome_.guard)))
            return true;
        return fail(ProofStep::Guard, outcome_.guard->message);
    }

    bool write() {
        begin(ProofStep::Write);
        const auto failure = WriteRadio(port_, image_, progress(ProofStep::Write, kWriteBlockCount),
                                        options_.patience);
        if (!failure)
            return true;
        // Before the first write frame the radio holds what it held; from it on, the
        // blocks before the failing one are the new ones.
        if (failure->step != LinkStep::WriteFrameAnswer)
            return fail(ProofStep::Write, text(Text::WriteFailed, {failure->message()}));
        return fail(
            ProofStep::Write,
            text(Text::WriteInterrupted, {std::to_string(failure->block), failure->message()}),
            ProofResult::Interrupted);
    }

    // A radio that does not answer the handshake may still be restarting: it is asked
    // again until it answers or its time is up. A radio that answered and then failed
    // is not asked again.
    std::variant<MemoryImage, LinkFailure> readBack() {
        std::this_thread::sleep_for(options_.settle);
        const auto giveUp = std::chrono::steady_clock::now() + options_.readBackTries;
        while (true) {
            auto read = ReadRadio(port_, image_, progress(ProofStep::Verify, kReadBlockCount),
                                  options_.patience);
            AwaitQuietLine(port_);
            const auto* failure = std::get_if<LinkFailure>(&read);
            if (!failure || !Unanswered(*failure) || std::chrono::steady_clock::now() >= giveUp)
                return read;
        }
    }

    void verify() {
        begin(ProofStep::Verify);
        auto read = readBack();
        if (const auto* failure = std::get_if<LinkFailure>(&read)) {
            if (Unanswered(*failure))
                fail(ProofStep::Verify, text(Text::NotVerified), ProofResult::Unverified);
            else
                fail(ProofStep::Verify, text(Text::ReadBackFailed, {failure->message()}));
            return;
        }
        outcome_.differences = CompareImages(
            image_, std::get<MemoryImage>(read),
            {model_.modelCode, model_.profile, model_.tones, language_}, kWrittenRange);
        if (outcome_.differences.empty()) {
            outcome_.reason = text(Text::Verified);
            return;
        }
        fail(ProofStep::Verify,
             text(Text::VerifyFoundDifferences,
                  {std::to_string(outcome_.differences.size()),
                   DescribeVerifyMismatch(outcome_.differences.front(), language_)}));
    }

    SerialPort& port_;
    const MemoryImage& image_;
    const ModelData& model_;
    const ProofOptions& options_;
    Language language_;
    const ProofEvents& events_;
    MemoryImage radio_{};
    ProofOutcome outcome_;
};

} // namespace

std::string_view StepWord(ProofStep step) {
    switch (step) {
    case ProofStep::Port:
        return "port";
    case ProofStep::Backup:
        return "backup";
    case ProofStep::Guard:
        return "guard";
    case ProofStep::Write:
        return "write";
    case ProofStep::Verify:
        return "verify";
    }
    return "?";
}

std::string_view StepName(ProofStep step, Language language) {
    constexpr Text kNames[] = {Text::StepPort, Text::StepBackup, Text::StepGuard, Text::StepWrite,
                               Text::StepVerify};
    return TextOf(kNames[static_cast<std::size_t>(step)]).in(language);
}

std::string_view ResultWord(ProofResult result) {
    switch (result) {
    case ProofResult::Pass:
        return "PASS";
    case ProofResult::Fail:
        return "FAIL";
    case ProofResult::Interrupted:
        return "INTERRUPTED";
    case ProofResult::Stopped:
        return "STOPPED";
    case ProofResult::Unverified:
        return "UNVERIFIED";
    }
    return "?";
}

std::string_view ResultName(ProofResult result, Language language) {
    constexpr Text kNames[] = {Text::ResultPass, Text::ResultFail, Text::ResultInterrupted,
                               Text::ResultStopped, Text::ResultUnverified};
    return TextOf(kNames[static_cast<std::size_t>(result)]).in(language);
}

ProofOutcome WriteWithProof(SerialPort& port, const MemoryImage& image, const ModelData& model,
                            const ProofOptions& options, Language language,
                            const ProofEvents& events) {
    return ProofRun(port, image, model, options, language, events).run();
}

std::string TraceOutcome(const ProofOutcome& outcome) {
    if (outcome.passed())
        return "success";
    std::string text(ResultWord(outcome.result));
    if (outcome.failedStep)
        text += " at " + std::string(StepWord(*outcome.failedStep));
    return text + ": " + outcome.reason;
}

} // namespace hx
