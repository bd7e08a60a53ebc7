#pragma once

// A real X server for the window's tests: Xvfb started on a free display, the program's main
// window found on it, files dropped on it by another client over XDND, and the window closed
// as its close button closes it.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace quiverel::testing {

using Clock = std::chrono::steady_clock;

// Starts a program with extra environment entries; returns its process id.
inline pid_t startProgram(const std::vector<std::string>& argv,
                          const std::vector<std::string>& environment) {
    const pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& entry : environment) {
            ::putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return child;
}

// The wait status of a process once it has ended, or nothing when it still runs after timeout
// (it is then killed).
inline std::optional<int> waitForEnd(pid_t process, std::chrono::milliseconds timeout) {
    const auto until = Clock::now() + timeout;
    int status = 0;
    while (Clock::now() < until) {
        if (::waitpid(process, &status, WNOHANG) == process) {
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(process, SIGKILL);
    ::waitpid(process, &status, 0);
    return std::nullopt;
}

class XvfbServer {
public:
    // Empty display() when Xvfb could not be started.
    XvfbServer() {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            return;
        }
        m_process = startProgram({"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                                  "1280x1024x24", "-nolisten", "tcp"},
                                 {});
        ::close(pipeEnds[1]);
        char number[16] = {};
        const ssize_t got = ::read(pipeEnds[0], number, sizeof number - 1);
        ::close(pipeEnds[0]);
        if (m_process > 0 && got > 0) {
            m_display = ":" + std::to_string(std::strtoul(number, nullptr, 10));
        }
    }
    ~XvfbServer() {
        if (m_process > 0) {
            ::kill(m_process, SIGTERM);
            ::waitpid(m_process, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& display() const { return m_display; }

private:
    pid_t m_process = -1;
    std::string m_display;
};

// Another client on the display: finds a window by its title, drops files on it, closes it.
class XClient {
public:
    explicit XClient(const std::string& display) : m_display(XOpenDisplay(display.c_str())) {}
    ~XClient() {
        if (m_display) {
            XCloseDisplay(m_display);
        }
    }
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool connected() const { return m_display != nullptr; }

    // The viewable top-level window of that title that takes drops, once it has appeared.
    Window waitForWindow(const std::string& title, std::chrono::milliseconds timeout) {
        const auto until = Clock::now() + timeout;
        while (Clock::now() < until) {
            if (const Window found = findWindow(title)) {
                return found;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return None;
    }

    // Drops a text/uri-list at the centre of target and hands over the data whenever the target
    // asks for it. True once the target has taken the data of the drop.
    bool dropUris(Window target, const std::string& uriList, std::chrono::milliseconds timeout) {
        const Window root = DefaultRootWindow(m_display);
        const Window source = XCreateSimpleWindow(m_display, root, 0, 0, 1, 1, 0, 0, 0);
        XSetSelectionOwner(m_display, atom("XdndSelection"), source, CurrentTime);
        int x = 0;
        int y = 0;
        Window child = None;
        XWindowAttributes attributes{};
        XGetWindowAttributes(m_display, target, &attributes);
        XTranslateCoordinates(m_display, target, root, attributes.width / 2, attributes.height / 2,
                              &x, &y, &child);
        send(target, "XdndEnter", {long(source), 5L << 24, long(atom("text/uri-list")), 0, 0});
        send(target, "XdndPosition",
             {long(source), 0, long(x) << 16 | y, CurrentTime, long(atom("XdndActionCopy"))});
        const auto until = Clock::now() + timeout;
        bool dropped = false;
        while (Clock::now() < until) {
            if (!XPending(m_display)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == ClientMessage && event.xclient.message_type == atom("XdndStatus") &&
                !dropped) {
                if ((event.xclient.data.l[1] & 1) == 0) {
                    return false;
                }
                send(target, "XdndDrop", {long(source), 0, CurrentTime, 0, 0});
                dropped = true;
            } else if (event.type == SelectionRequest) {
                // The target may look at the data while the drag moves, and takes it at the drop.
                handOver(event.xselectionrequest, uriList);
                if (dropped) {
                    return true;
                }
            }
        }
        return false;
    }

    // What a window manager sends when the user clicks the window's close button.
    void requestClose(Window target) {
        send(target, "WM_PROTOCOLS", {long(atom("WM_DELETE_WINDOW")), CurrentTime, 0, 0, 0});
    }

private:
    Atom atom(const char* name) { return XInternAtom(m_display, name, False); }

    void send(Window target, const char* type, std::vector<long> values) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = atom(type);
        event.xclient.format = 32;
        for (std::size_t k = 0; k < values.size(); ++k) {
            event.xclient.data.l[k] = values[k];
        }
        XSendEvent(m_display, target, False, NoEventMask, &event);
        XFlush(m_display);
    }

    void handOver(const XSelectionRequestEvent& request, const std::string& data) {
        XChangeProperty(m_display, request.requestor, request.property, request.target, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size()));
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = request.requestor;
        reply.xselection.selection = request.selection;
        reply.xselection.target = request.target;
        reply.xselection.property = request.property;
        reply.xselection.time = request.time;
        XSendEvent(m_display, request.requestor, False, NoEventMask, &reply);
        XFlush(m_display);
    }

    Window findWindow(const std::string& title) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children,
                        &count)) {
            return None;
        }
        Window found = None;
        for (unsigned k = 0; k < count && found == None; ++k) {
            XWindowAttributes attributes{};
            char* name = nullptr;
            if (XGetWindowAttributes(m_display, children[k], &attributes) &&
                attributes.map_state == IsViewable && XFetchName(m_display, children[k], &name) &&
                title == name && takesDrops(children[k])) {
                found = children[k];
            }
            XFree(name);
        }
        XFree(children);
        return found;
    }

    bool takesDrops(Window window) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* value = nullptr;
        XGetWindowProperty(m_display, window, atom("XdndAware"), 0, 1, False, XA_ATOM, &type,
                           &format, &items, &after, &value);
        XFree(value);
        return items == 1;
    }

    Display* m_display;
};

} // namespace quiverel::testing
