-- The store's tables as the product query reads them (test and demo clusters).
CREATE TABLE grupo (
  codgrupo serial PRIMARY KEY,
  nomegrupo varchar(40)
);
CREATE TABLE produto (
  codproduto serial PRIMARY KEY,
  descricao varchar(50),
  preco double precision,
  validade integer,
  codgrupo integer,
  unidademedida varchar(10),
  inativo boolean,
  precofuturo double precision
);
