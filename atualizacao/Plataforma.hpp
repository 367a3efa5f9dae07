// What the updater needs from the application and cannot do without a window
// toolkit: the program's folder, the hand-over to the user-interface thread,
// the desktop's "open" and a message to the user. The application implements
// them with Qt; tests with plain code.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace atualizacao {

class IPastaPrograma {
public:
    virtual ~IPastaPrograma() = default;
    virtual std::filesystem::path PastaPrograma() const = 0;
};

// The folder of the running executable (/proc/self/exe).
class TPastaDoExecutavel final : public IPastaPrograma {
public:
    std::filesystem::path PastaPrograma() const override;
};

class IThreadUI {
public:
    virtual ~IThreadUI() = default;
    // Runs `chamada` on the user-interface thread later; returns at once.
    virtual void Enfileira(std::function<void()> chamada) = 0;
    // Runs `chamada` on the user-interface thread and returns when it has.
    virtual void ExecutaEEspera(std::function<void()> chamada) = 0;
};

class IShell {
public:
    virtual ~IShell() = default;
    // Opens the file with the desktop's default handler; does not wait.
    virtual void Abre(const std::filesystem::path& arquivo) = 0;
    // Tells the user something the update command could not do.
    virtual void Avisa(const std::string& mensagem) = 0;
};

// The status window shown while the updater downloads.
class IStatusAtualizacao {
public:
    virtual ~IStatusAtualizacao() = default;
    virtual void Mostra() = 0;
    virtual void Fecha() = 0;
    // -1 when the server gave no size.
    virtual void DefineMaximo(std::int32_t maximo) = 0;
    virtual void DefinePosicao(std::int32_t posicao) = 0;
    virtual void DefineTexto(const std::string& texto) = 0;
};

// Everything the update procedure reaches through the application.
struct TPlataformaAtualizacao {
    const IPastaPrograma& Pasta;
    IThreadUI& ThreadUI;
    IShell& Shell;
    std::function<std::unique_ptr<IStatusAtualizacao>()> CriaStatus;
};

} // namespace atualizacao
