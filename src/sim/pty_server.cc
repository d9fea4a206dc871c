#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace tqm5 {
namespace {

std::string ErrnoText(std::string_view what) {
  return std::string(what) + ": " + std::strerror(errno);
}

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

}  // namespace

SimPtyServer::SimPtyServer(SimRadio radio, bool pace) : radio_(std::move(radio)), pace_(pace) {}

std::unique_ptr<SimPtyServer> DemoRadioServer(ModelOption model) {
  return std::make_unique<SimPtyServer>(SimRadio(SimVariantOfModel(model), SimContent::kDemo));
}

SimPtyServer::~SimPtyServer() { Stop(); }

SimRadio& SimPtyServer::radio() {
  assert(!running());
  return radio_;
}

const SimRadio& SimPtyServer::radio() const {
  assert(!running());
  return radio_;
}

std::string SimPtyServer::Start() {
  if (running()) return slave_path_;
  error_text_.clear();
  slave_path_.clear();
  auto fail = [this](std::string_view what) {
    error_text_ = ErrnoText(what);
    CloseFds();
    return std::string();
  };

  master_fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_fd_ < 0) return fail("posix_openpt");
  if (grantpt(master_fd_) != 0) return fail("grantpt");
  if (unlockpt(master_fd_) != 0) return fail("unlockpt");
  char name[128];
  if (ptsname_r(master_fd_, name, sizeof(name)) != 0) return fail("ptsname");
  const std::string path = name;

  slave_fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_fd_ < 0) return fail("open " + path);
  termios tio{};
  if (tcgetattr(slave_fd_, &tio) != 0) return fail("tcgetattr " + path);
  cfmakeraw(&tio);
  cfsetispeed(&tio, B57600);
  cfsetospeed(&tio, B57600);
  if (tcsetattr(slave_fd_, TCSANOW, &tio) != 0) return fail("tcsetattr " + path);

  const int flags = fcntl(master_fd_, F_GETFL);
  if (flags < 0 || fcntl(master_fd_, F_SETFL, flags | O_NONBLOCK) != 0) {
    return fail("fcntl O_NONBLOCK");
  }
  stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stop_fd_ < 0) return fail("eventfd");

  slave_path_ = path;
  input_.clear();
  output_.clear();
  input_line_free_ = {};
  output_line_free_ = {};
  thread_ = std::thread(&SimPtyServer::Serve, this);
  return slave_path_;
}

void SimPtyServer::Stop() {
  if (!running()) return;
  const uint64_t one = 1;
  // The eventfd counter cannot overflow from a single increment; the thread wakes at once.
  [[maybe_unused]] ssize_t written = write(stop_fd_, &one, sizeof(one));
  thread_.join();
  CloseFds();
}

void SimPtyServer::CloseFds() {
  CloseFd(master_fd_);
  CloseFd(slave_fd_);
  CloseFd(stop_fd_);
}

void SimPtyServer::Serve() {
  bool output_blocked = false;
  while (true) {
    const Clock::time_point now = Clock::now();
    FeedRadio(now);
    if (!output_blocked) output_blocked = !WriteOutput(now);
    if (radio_.HungUp() && output_.empty()) {
      // Closing the master hangs up every open slave, as pulling the cable would.
      CloseFd(master_fd_);
      if (on_hang_up_) on_hang_up_();
      return;
    }

    // Sleep until the next piece of a command or the next reply byte is due, or until the
    // client writes, the pseudo-terminal has room again, or Stop() is called.
    std::optional<Clock::time_point> wake;
    if (!input_.empty()) wake = std::chrono::ceil<Clock::duration>(input_.front().start);
    if (!output_.empty() && !output_blocked) {
      const Clock::time_point next = NextOutputTime();
      wake = wake ? std::min(*wake, next) : next;
    }
    timespec timeout{};
    if (wake) {
      const auto left = std::max(*wake - Clock::now(), Clock::duration::zero());
      const auto seconds = std::chrono::floor<std::chrono::seconds>(left);
      timeout.tv_sec = static_cast<time_t>(seconds.count());
      timeout.tv_nsec = static_cast<long>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(left - seconds).count());
    }
    pollfd fds[2] = {{master_fd_, static_cast<short>(POLLIN | (output_blocked ? POLLOUT : 0)), 0},
                     {stop_fd_, POLLIN, 0}};
    const int ready = ppoll(fds, 2, wake ? &timeout : nullptr, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      error_text_ = ErrnoText("ppoll");
      return;
    }
    if (fds[1].revents != 0) return;
    if ((fds[0].revents & (POLLERR | POLLNVAL | POLLHUP)) != 0 && (fds[0].revents & POLLIN) == 0) {
      // Cannot happen while the server holds the slave open; stop rather than spin.
      error_text_ = "pseudo-terminal master reported an error";
      return;
    }
    if ((fds[0].revents & POLLOUT) != 0) output_blocked = false;
    if ((fds[0].revents & POLLIN) != 0 && !ReadInput(Clock::now())) return;
  }
}

bool SimPtyServer::ReadInput(Clock::time_point now) {
  char buffer[4096];
  const ssize_t count = read(master_fd_, buffer, sizeof(buffer));
  if (count < 0) {
    if (errno == EAGAIN || errno == EINTR) return true;
    error_text_ = ErrnoText("read");
    return false;
  }
  const std::string_view chunk(buffer, static_cast<size_t>(count));
  if (!pace_) {
    if (!chunk.empty()) input_.push_back({std::string(chunk), now, 0});
    return true;
  }
  // The bytes go over the line one after another from the moment they were written, or from
  // the end of the bytes still on the line. Each line is taken when its CR is in.
  const LineTime begin = std::max<LineTime>(now, input_line_free_);
  size_t from = 0;
  for (size_t i = 0; i < chunk.size(); ++i) {
    if (chunk[i] != '\r') continue;
    input_.push_back({std::string(chunk.substr(from, i + 1 - from)),
                      begin + ByteTime(static_cast<int64_t>(i + 1)), 0});
    from = i + 1;
  }
  const LineTime end = begin + ByteTime(static_cast<int64_t>(chunk.size()));
  if (from < chunk.size()) input_.push_back({std::string(chunk.substr(from)), end, 0});
  input_line_free_ = end;
  return true;
}

void SimPtyServer::FeedRadio(Clock::time_point now) {
  while (!input_.empty() && input_.front().start <= now) {
    Timed piece = std::move(input_.front());
    input_.pop_front();
    std::string reply = radio_.Receive(piece.bytes);
    if (reply.empty()) continue;
    // Paced, the reply is scheduled from the moment the command was complete on the line
    // rather than from when this thread woke, so wake-up latency never adds up.
    LineTime start = (pace_ ? piece.start : LineTime(now)) + radio_.reply_delay();
    start = std::max(start, output_line_free_);
    output_line_free_ = pace_ ? start + ByteTime(static_cast<int64_t>(reply.size())) : start;
    output_.push_back({std::move(reply), start, 0});
  }
}

size_t SimPtyServer::DueBytes(const Timed& reply, Clock::time_point now) const {
  if (now < reply.start) return 0;
  if (!pace_) return reply.bytes.size();
  const auto on_line = std::chrono::floor<ByteTime>(LineTime(now) - reply.start).count();
  return std::min(reply.bytes.size(), static_cast<size_t>(on_line));
}

bool SimPtyServer::WriteOutput(Clock::time_point now) {
  while (!output_.empty()) {
    Timed& reply = output_.front();
    const size_t due = DueBytes(reply, now);
    if (due <= reply.done) return true;
    const ssize_t written = write(master_fd_, reply.bytes.data() + reply.done, due - reply.done);
    if (written < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) return false;
      output_.clear();  // the line is gone; nothing more can be sent
      return true;
    }
    reply.done += static_cast<size_t>(written);
    if (reply.done < due) return false;
    if (reply.done < reply.bytes.size()) return true;
    output_.pop_front();
  }
  return true;
}

SimPtyServer::Clock::time_point SimPtyServer::NextOutputTime() const {
  const Timed& reply = output_.front();
  const LineTime due =
      pace_ ? reply.start + ByteTime(static_cast<int64_t>(reply.done + 1)) : reply.start;
  return std::chrono::ceil<Clock::duration>(due);
}

}  // namespace tqm5
