// The commands of the `cargabal` command-line tool. Each takes the words after
// the command's name and returns the exit status: 0 success, 1 an error of the
// generator or the database, 2 bad usage or bad input.
#pragma once

#include <string>
#include <vector>

namespace cli {

using Argumentos = std::vector<std::string>;

int ComandoGerar(const Argumentos& args);
int ComandoModelos(const Argumentos& args);
int ComandoExportar(const Argumentos& args);
int ComandoVersao(const Argumentos& args);

inline constexpr int SaidaSucesso = 0;
inline constexpr int SaidaErro = 1;
inline constexpr int SaidaUso = 2;

} // namespace cli
