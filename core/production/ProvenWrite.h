#pragma once

#include "core/compare/ImageComparison.h"
#include "core/image/MemoryImage.h"
#include "core/link/Protocol.h"
#include "core/link/SerialPort.h"
#include "core/model/ModelFiles.h"
#include "core/production/BandGuard.h"
#include "core/texts/Language.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A write that proves itself: the radio read and kept before, its kind checked
// against the image, and read back after, so that a dealer knows what the radio holds
// rather than that 123 frames were acknowledged.
namespace hx {

// The steps of one radio, in order. Opening the port is a step of a production run,
// which opens each port anew for every radio.
enum class ProofStep { Port, Backup, Guard, Write, Verify };
// The step as the log writes it: "port", "backup", "guard", "write", "verify".
std::string_view StepWord(ProofStep step);
// The step as the interface shows it.
std::string_view StepName(ProofStep step, Language language);

// Pass; Fail: the radio is unchanged, or fully written but not holding what was sent;
// Interrupted: the write stopped part-way and the radio is half-written; Stopped: the
// operator stopped before the write; Unverified: fully written, but the radio did not
// answer the read-back, so what it holds is not known.
enum class ProofResult { Pass, Fail, Interrupted, Stopped, Unverified };
// The result as the log writes it: "PASS", "FAIL", "INTERRUPTED", "STOPPED",
// "UNVERIFIED".
std::string_view ResultWord(ProofResult result);
std::string_view ResultName(ProofResult result, Language language);

inline constexpr std::chrono::milliseconds kDefaultSettle{1000};

struct ProofOptions {
    bool verify = false; // read the radio back after the write and compare
    // Read the radio first, keep its memory in this folder, and refuse an image made
    // for another kind of radio.
    std::optional<std::filesystem::path> backupFolder{};
    Patience patience = kDefaultPatience;
    // A radio restarts after it has been programmed and is deaf meanwhile: the
    // read-back begins after `settle`, and keeps trying the handshake for
    // `readBackTries` before it gives up on the radio.
    std::chrono::milliseconds settle = kDefaultSettle;
    std::chrono::milliseconds readBackTries = std::chrono::seconds(5);
};

// How a caller follows and steers the sequence; every member may be left empty.
struct ProofEvents {
    std::function<void(ProofStep)> stepBegun{};
    // A transfer's frames as they begin, of `frameTotal` (128 for a read, 123 for the
    // write), called while each frame travels.
    std::function<void(ProofStep, int framesBegun, int frameTotal)> progress{};
    // Asked when the guard finds another kind of radio; true writes anyway. Left
    // empty, the write is refused.
    std::function<bool(const GuardFinding&)> writeAnyway{};
    // Asked before the write; true ends the sequence there. Once the write has begun
    // the radio is finished, verification included.
    std::function<bool()> stopRequested{};
};

struct ProofOutcome {
    ProofResult result = ProofResult::Pass;
    std::optional<ProofStep> failedStep;
    std::string reason;                  // "verified", "written", or why not, one line
    std::vector<Difference> differences; // what the read-back holds otherwise
    std::optional<GuardFinding> guard;   // what the guard found, also when overridden
    std::filesystem::path backupFile;    // empty when none was kept
    bool passed() const { return result == ProofResult::Pass; }
};

// Writes the encoded `image` over an open port: with a backup folder, first reads the
// radio, keeps its memory there and guards; then the plain write, the same bytes on
// the line as WriteRadio; with `verify`, reads the radio back and compares the written
// blocks. A failed backup sends not one write frame. Texts are in `language`.
ProofOutcome WriteWithProof(SerialPort& port, const MemoryImage& image, const ModelData& model,
                            const ProofOptions& options, Language language,
                            const ProofEvents& events = {});

// The outcome as a serial trace ends: "success", or the result, step and reason.
std::string TraceOutcome(const ProofOutcome& outcome);

} // namespace hx
