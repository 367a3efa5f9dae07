// The updater's platform interfaces implemented with Qt: queued and blocking
// hand-over to the UI thread, the desktop's "open" and message boxes.
#pragma once

#include "atualizacao/Plataforma.hpp"

#include <QObject>
#include <atomic>
#include <memory>

namespace atualizacao::qt {

// Create on the UI thread. After Encerra, calls not yet run are dropped and
// workers waiting for one are let go, so they can be joined at exit.
class TThreadUIQt final : public IThreadUI {
public:
    TThreadUIQt();
    ~TThreadUIQt() override;
    void Enfileira(std::function<void()> chamada) override;
    void ExecutaEEspera(std::function<void()> chamada) override;
    void Encerra();

private:
    QObject FContexto;
    std::shared_ptr<std::atomic<bool>> FEncerrado = std::make_shared<std::atomic<bool>>(false);
};

class TShellQt final : public IShell {
public:
    void Abre(const std::filesystem::path& arquivo) override;
    void Avisa(const std::string& mensagem) override;
};

} // namespace atualizacao::qt
