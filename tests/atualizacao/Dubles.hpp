// Plain stand-ins for what the application gives the updater: a user-interface
// thread that the test runs by hand, a shell that records what it was asked,
// and a fixed program folder.
#pragma once

#include "atualizacao/Plataforma.hpp"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testes {

class TFilaUI : public atualizacao::IThreadUI {
public:
    void Enfileira(std::function<void()> chamada) override {
        {
            std::lock_guard trava(FTrava);
            FFila.push_back(std::move(chamada));
        }
        FAviso.notify_all();
    }

    void ExecutaEEspera(std::function<void()> chamada) override {
        if (std::this_thread::get_id() == FThreadUI) {
            chamada();
            return;
        }
        auto feito = std::make_shared<std::promise<void>>();
        auto futuro = feito->get_future();
        ++FEsperas;
        Enfileira([chamada = std::move(chamada), feito] {
            chamada();
            feito->set_value();
        });
        futuro.wait();
    }

    // Runs queued calls on the test's thread until `pronto` holds; false when
    // the time ran out first.
    bool Processa(const std::function<bool()>& pronto,
                  std::chrono::milliseconds limite = std::chrono::seconds(30)) {
        const auto fim = std::chrono::steady_clock::now() + limite;
        while (!pronto()) {
            std::unique_lock trava(FTrava);
            // Wakes now and then, as `pronto` may change without a queued call.
            const auto fatia =
                std::min(fim, std::chrono::steady_clock::now() + std::chrono::milliseconds(20));
            if (!FAviso.wait_until(trava, fatia, [&] { return !FFila.empty(); })) {
                if (std::chrono::steady_clock::now() >= fim) {
                    return pronto();
                }
                continue;
            }
            auto chamada = std::move(FFila.front());
            FFila.pop_front();
            trava.unlock();
            chamada();
        }
        return true;
    }

    int Esperas() const { return FEsperas; }
    bool Vazia() {
        std::lock_guard trava(FTrava);
        return FFila.empty();
    }

private:
    std::thread::id FThreadUI = std::this_thread::get_id();
    std::mutex FTrava;
    std::condition_variable FAviso;
    std::deque<std::function<void()>> FFila;
    std::atomic<int> FEsperas{0};
};

class TShellGravado : public atualizacao::IShell {
public:
    void Abre(const std::filesystem::path& arquivo) override { Abertos.push_back(arquivo); }
    void Avisa(const std::string& mensagem) override { Avisos.push_back(mensagem); }
    std::vector<std::filesystem::path> Abertos;
    std::vector<std::string> Avisos;
};

class TPastaFixa : public atualizacao::IPastaPrograma {
public:
    explicit TPastaFixa(std::filesystem::path p) : FPasta(std::move(p)) {}
    std::filesystem::path PastaPrograma() const override { return FPasta; }

private:
    std::filesystem::path FPasta;
};

} // namespace testes
