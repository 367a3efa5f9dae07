// The store's product source: the connection to its PostgreSQL database and
// the one query that lists the products that can go to a scale.
#pragma once

#include "app/BancoDados.hpp"

namespace loja {

class TDM1 {
public:
    TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    TConexao ZConnection1;
    TConsulta QueryProduto{ZConnection1};
};

} // namespace loja
