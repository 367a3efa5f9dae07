// Runs a program to the end with the given standard input and collects its
// exit status and both outputs, for end-to-end tests of the command line.
#pragma once

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace testes {

struct ResultadoProcesso {
    int Saida = -1; // exit status, or -1 when ended by a signal
    std::string Out, Err;
};

inline ResultadoProcesso Executa(const std::vector<std::string>& argv,
                                 const std::string& entrada = "") {
    std::signal(SIGPIPE, SIG_IGN); // a child that stops reading must not end the test
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 ||
        ::pipe2(err, O_CLOEXEC) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    ResultadoProcesso r;
    std::size_t enviado = 0;
    if (entrada.empty()) {
        ::close(in[1]);
        in[1] = -1;
    }
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
    int abertos = 2;
    while (abertos > 0 || fds[2].fd >= 0) {
        if (::poll(fds, 3, -1) < 0) {
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd >= 0 && (fds[k].revents & (POLLIN | POLLHUP))) {
                char buffer[4096];
                const ssize_t n = ::read(fds[k].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    ::close(fds[k].fd);
                    fds[k].fd = -1;
                    --abertos;
                } else {
                    (k == 0 ? r.Out : r.Err).append(buffer, static_cast<std::size_t>(n));
                }
            }
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLOUT | POLLERR | POLLHUP))) {
            const ssize_t n =
                ::write(fds[2].fd, entrada.data() + enviado, entrada.size() - enviado);
            if (n > 0) {
                enviado += static_cast<std::size_t>(n);
            }
            if (n <= 0 || enviado == entrada.size()) {
                ::close(fds[2].fd);
                fds[2].fd = -1;
            }
        }
    }
    int estado = 0;
    ::waitpid(pid, &estado, 0);
    r.Saida = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
    return r;
}

} // namespace testes
