#include "device/simulated_mouse.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace tarvosk {

namespace {

constexpr uint8_t kReportId = 7;
constexpr uint8_t kInputId = 6;
constexpr uint16_t kVendorInputPage = 0xFF00;
constexpr uint16_t kVendorFeaturePage = 0xFF01;

// Key bytes of the four profile slots in the settings image: slot 0 keys 0-8 at 0x08, slot 1 at
// 0x44, slot 2 at 0x50, slot 3 at 0x60.
constexpr std::array<uint16_t, 4> kSlotKeyBase = {0x08, 0x44, 0x50, 0x60};

// Device codes of the three profile-switch functions and the slot each selects.
std::optional<int> profileSwitchTarget(uint8_t deviceCode) {
  switch (deviceCode) {
    case 23: return 0;
    case 25: return 2;
    case 26: return 3;
    default: return std::nullopt;
  }
}

}  // namespace

struct SimulatedMouse::State {
  explicit State(const SimulatedMouseDescription& d)
      : description(d),
        memory(kMouseMemorySize, 0),
        inputReadyFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
        activeProfile(d.activeProfile & 3) {}
  ~State() {
    if (inputReadyFd >= 0) close(inputReadyFd);
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  const SimulatedMouseDescription description;
  mutable std::mutex mutex;
  std::condition_variable inputArrived;
  std::vector<uint8_t> memory;
  std::array<uint8_t, 256> staged{};
  std::array<bool, 256> stagedSet{};
  std::optional<uint16_t> blockAddress;  // a block is open: staging begun, not yet closed
  uint8_t blockLastIndex = 0;
  int violations = 0;
  std::vector<ReceivedReport> received;
  std::deque<std::vector<uint8_t>> input;
  bool inputDisconnected = false;
  // Readable exactly while a read would not wait: input queued, or the input disconnected. Like
  // the node of a real mouse, a reader polls it, so it wakes for nothing else.
  const int inputReadyFd;
  int activeProfile;
  int imagesEnded = 0;
  bool left = false;
  std::optional<int> dpiLevel;
  uint8_t dpiMask = 0;
  bool hostFunction = false;
  std::vector<uint16_t> usages;
  std::optional<int> reportsBeforeFailure;

  // Counts down the reports a failing mouse still takes; true once they are used up.
  bool failing() {
    if (!reportsBeforeFailure) return false;
    if (*reportsBeforeFailure == 0) return true;
    --*reportsBeforeFailure;
    return false;
  }

  // Call with the mutex held, after the queue or the disconnection changed.
  void updateInputReady() {
    if (inputReadyFd < 0) return;
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t drained = read(inputReadyFd, &count, sizeof count);
    if (input.empty() && !inputDisconnected) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(inputReadyFd, &one, sizeof one);
  }

  void queueInput(std::vector<uint8_t> report) {
    input.push_back(std::move(report));
    updateInputReady();
    inputArrived.notify_all();
  }

  void resetBlock() {
    blockAddress.reset();
    stagedSet.fill(false);
    staged.fill(0);
  }

  void handle(std::span<const uint8_t> r) {
    const uint8_t command = r[1];
    const uint16_t address = static_cast<uint16_t>(r[4] | (r[5] << 8));
    if (command != 0x18) {
      if (blockAddress) ++violations;  // another thread's report landed inside a block
      switch (command) {
        case 0x49:
          dpiLevel = r[2];
          dpiMask = r[4];
          break;
        case 0x11: hostFunction = (r[2] == 0x02); break;
        case 0x17: usages.push_back(static_cast<uint16_t>((r[2] << 8) | r[3])); break;
        case 0x20: left = true; break;
        default: break;
      }
      return;
    }
    switch (r[2]) {
      case 0x03:  // stage byte r[3] of the block
        if (blockAddress && (*blockAddress != address || blockLastIndex != r[7])) ++violations;
        if (!blockAddress) {
          blockAddress = address;
          blockLastIndex = r[7];
        }
        staged[r[3]] = r[6];
        stagedSet[r[3]] = true;
        break;
      case 0x09: {  // commit the staged block
        if (!blockAddress || *blockAddress != address || blockLastIndex != r[7]) {
          ++violations;
          break;
        }
        for (int i = 0; i <= r[7]; ++i) {
          if (!stagedSet[static_cast<std::size_t>(i)]) ++violations;
          // Memory ends at 0xFFFF; bytes of a block running past it are lost, as on the mouse.
          const std::size_t target = std::size_t{address} + static_cast<std::size_t>(i);
          if (target < memory.size()) memory[target] = staged[static_cast<std::size_t>(i)];
        }
        break;
      }
      case 0x10:  // end of a complete settings image
        if (blockAddress) ++violations;
        ++imagesEnded;
        break;
      case 0x00:  // close the block (with address 0 also the final close after an image)
        resetBlock();
        break;
      default: ++violations; break;
    }
  }
};

class SimulatedMouse::Connection : public HidConnection {
 public:
  explicit Connection(std::shared_ptr<State> state) : m_state(std::move(state)) {}

  bool setFeature(std::span<const uint8_t> report) override {
    const std::lock_guard lock(m_state->mutex);
    m_state->received.push_back({ReceivedReport::Kind::SetFeature, {report.begin(), report.end()}});
    if (m_state->failing()) return false;
    if (report.size() != m_state->description.featureReportLength || report[0] != kReportId) return false;
    m_state->handle(report);
    return true;
  }

  int getFeature(std::span<uint8_t> report) override {
    const std::lock_guard lock(m_state->mutex);
    m_state->received.push_back({ReceivedReport::Kind::GetFeature, {report.begin(), report.end()}});
    if (m_state->failing()) return -1;
    if (report.size() < m_state->description.featureReportLength || report.empty() || report[0] != kReportId) {
      return -1;
    }
    if (m_state->blockAddress) ++m_state->violations;
    const std::size_t length = m_state->description.featureReportLength;
    std::fill(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(length), 0);
    report[0] = kReportId;
    const bool bigMemory = m_state->description.macroMemory == 4088;
    report[6] = static_cast<uint8_t>((bigMemory ? 0x02 : 0x00) | ((m_state->activeProfile & 3) << 2));
    report[7] = static_cast<uint8_t>(m_state->description.statusNibble & 0x0F);
    return static_cast<int>(length);
  }

  int readInput(std::span<uint8_t> report, int timeoutMs, const ReadInterrupt* interrupt) override {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    for (;;) {
      {
        const std::lock_guard lock(m_state->mutex);
        if (m_state->inputDisconnected) return -1;
        if (!m_state->input.empty()) {
          std::vector<uint8_t> next = std::move(m_state->input.front());
          m_state->input.pop_front();
          m_state->updateInputReady();
          // The caller reads the length the mouse declared; a shorter queued report is padded with zeros.
          next.resize(m_state->description.inputReportLength, 0);
          const std::size_t n = std::min(next.size(), report.size());
          std::copy_n(next.begin(), n, report.begin());
          m_state->inputArrived.notify_all();  // pendingInput() waiters
          return static_cast<int>(n);
        }
      }
      int wait = -1;
      if (timeoutMs >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return 0;
        wait = static_cast<int>(left);
      }
      // Wakes for queued input, a disconnection, the interrupt or the timeout, and nothing else.
      const int ready = waitForInput(m_state->inputReadyFd, interrupt, wait);
      if (ready < 0) return -1;
      if (ready == 0) {
        if (interrupt && interrupt->raised()) return 0;
        // Timed out; a report queued in the same instant is still taken.
        const std::lock_guard lock(m_state->mutex);
        if (m_state->input.empty()) return 0;
      }
    }
  }

 private:
  std::shared_ptr<State> m_state;
};

SimulatedMouse::SimulatedMouse(SimulatedMouseDescription description) : m_state(std::make_shared<State>(description)) {}

SimulatedMouse::~SimulatedMouse() = default;

std::vector<HidInterfaceInfo> SimulatedMouse::enumerate() {
  const SimulatedMouseDescription& d = m_state->description;
  return {
      {d.path, d.vendorId, d.productId, 0x0001, 0x0002, 8, 0},
      {d.path, d.vendorId, d.productId, kVendorInputPage, 0x0001, d.inputReportLength, 0},
      {d.path, d.vendorId, d.productId, kVendorFeaturePage, 0x0001, 0, d.featureReportLength},
  };
}

std::shared_ptr<HidConnection> SimulatedMouse::open(const std::string& path) {
  if (path != m_state->description.path) return nullptr;
  return std::make_shared<Connection>(m_state);
}

std::vector<uint8_t> SimulatedMouse::memory() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->memory;
}

uint8_t SimulatedMouse::memoryAt(uint16_t address) const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->memory[address];
}

std::vector<ReceivedReport> SimulatedMouse::received() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->received;
}

std::vector<std::vector<uint8_t>> SimulatedMouse::sentFeatureReports() const {
  const std::lock_guard lock(m_state->mutex);
  std::vector<std::vector<uint8_t>> out;
  for (const ReceivedReport& r : m_state->received) {
    if (r.kind == ReceivedReport::Kind::SetFeature) out.push_back(r.bytes);
  }
  return out;
}

void SimulatedMouse::clearReceived() {
  const std::lock_guard lock(m_state->mutex);
  m_state->received.clear();
  m_state->usages.clear();
}

int SimulatedMouse::activeProfile() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->activeProfile;
}

int SimulatedMouse::imagesEnded() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->imagesEnded;
}

bool SimulatedMouse::leaveReceived() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->left;
}

std::optional<int> SimulatedMouse::dpiLevel() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->dpiLevel;
}

uint8_t SimulatedMouse::dpiEnableMask() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->dpiMask;
}

bool SimulatedMouse::hostFunctionActive() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->hostFunction;
}

std::vector<uint16_t> SimulatedMouse::consumerUsagesPlayed() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->usages;
}

int SimulatedMouse::protocolViolations() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->violations;
}

void SimulatedMouse::failFrom(int afterReports) {
  const std::lock_guard lock(m_state->mutex);
  m_state->reportsBeforeFailure = std::max(afterReports, 0);
}

void SimulatedMouse::pressButton(int button, std::optional<int> dpiLevel) {
  const uint8_t number = static_cast<uint8_t>(std::clamp(button, 1, 15));
  const uint8_t state = dpiLevel ? static_cast<uint8_t>(0x80 | (*dpiLevel & 7)) : 0x00;
  const std::lock_guard lock(m_state->mutex);
  const int slot = m_state->activeProfile & 3;
  // Keys 0-8 of a slot carry buttons 1-9; a switch key changes the profile before the press is told.
  if (number <= 9) {
    const uint8_t keyByte = m_state->memory[kSlotKeyBase[static_cast<std::size_t>(slot)] + number - 1];
    if (const auto target = profileSwitchTarget(keyByte & 0x1F)) m_state->activeProfile = *target;
  }
  m_state->queueInput({kInputId, static_cast<uint8_t>(0xF0 + number), state});
}

void SimulatedMouse::releaseButton(int button) {
  const uint8_t number = static_cast<uint8_t>(std::clamp(button, 1, 15));
  injectInput({kInputId, static_cast<uint8_t>(0xF0 + number), 0x80});
}

void SimulatedMouse::changeProfile(int slot) {
  const std::lock_guard lock(m_state->mutex);
  m_state->activeProfile = slot & 3;
  m_state->queueInput({kInputId, 0x03, 0x00});
}

void SimulatedMouse::ballisticStep(bool up) { injectInput({kInputId, static_cast<uint8_t>(up ? 0x01 : 0x02), 0x00}); }

void SimulatedMouse::injectInput(std::vector<uint8_t> report) {
  const std::lock_guard lock(m_state->mutex);
  m_state->queueInput(std::move(report));
}

std::size_t SimulatedMouse::pendingInput() const {
  const std::lock_guard lock(m_state->mutex);
  return m_state->input.size();
}

void SimulatedMouse::disconnectInput() {
  const std::lock_guard lock(m_state->mutex);
  m_state->inputDisconnected = true;
  m_state->updateInputReady();
  m_state->inputArrived.notify_all();
}

}  // namespace tarvosk
