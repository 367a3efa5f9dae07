-- Demo catalogue of a small store: weighed (KG) and unit (KU) products,
-- inactive ones, future prices, accents, and rows the product query leaves out.
INSERT INTO grupo (codgrupo, nomegrupo) VALUES
  (1, 'AÇOUGUE'), (2, 'FRIOS E LATICÍNIOS'), (3, 'PADARIA'), (4, 'HORTIFRÚTI'),
  (5, 'MERCEARIA');
SELECT setval('grupo_codgrupo_seq', 5);

INSERT INTO produto (codproduto, descricao, preco, validade, codgrupo, unidademedida,
                     inativo, precofuturo) VALUES
  (101, 'CONTRA FILÉ BOVINO',            54.90,   3, 1, 'KG', false, 56.90),
  (102, 'PICANHA BOVINA',                89.90,   3, 1, 'KG', false, 0),
  (103, 'ALCATRA BOVINA',                49.99,   3, 1, 'KG', NULL,  52.49),
  (104, 'COSTELA SUÍNA',                 27.45,   3, 1, 'KG', false, NULL),
  (105, 'LINGUIÇA TOSCANA',              22.90,   5, 1, 'KG', false, 23.50),
  (106, 'FRANGO À PASSARINHO',           18.75,   2, 1, 'KG', true,  19.00),
  (107, 'COXÃO MOLE',                    46.30,   3, 1, 'KG', false, 0),
  (108, 'FÍGADO BOVINO',                 19.90,   2, 1, 'KG', false, NULL),
  (201, 'QUEIJO PRATO',                  39.90,  30, 2, 'KG', false, 41.90),
  (202, 'QUEIJO MUÇARELA',               36.50,  30, 2, 'KG', false, 0),
  (203, 'PRESUNTO COZIDO',               32.80,  20, 2, 'KG', NULL,  33.90),
  (204, 'MORTADELA BOLOGNA',             21.40,  20, 2, 'KG', false, NULL),
  (205, 'SALAME ITALIANO',               89.00,  60, 2, 'KG', false, 92.00),
  (206, 'REQUEIJÃO DE CORTE',            42.00,  15, 2, 'KG', true,  0),
  (207, 'IOGURTE NATURAL 170G',           3.49,  25, 2, 'KU', false, 3.79),
  (208, 'MANTEIGA COM SAL 200G',         14.90,  90, 2, 'KU', false, 0),
  (301, 'PÃO FRANCÊS',                   16.99,   1, 3, 'KG', false, 17.49),
  (302, 'PÃO DE QUEIJO',                 34.90,   1, 3, 'KG', false, 0),
  (303, 'BOLO DE FUBÁ',                  12.50,   4, 3, 'KU', false, 13.00),
  (304, 'SONHO DE CREME',                 4.25,   2, 3, 'KU', NULL,  NULL),
  (305, 'BROA DE MILHO',                  2.10,   3, 3, 'KU', true,  2.30),
  (306, 'CROISSANT',                      6.90,   2, 3, 'KU', false, 0),
  (401, 'TOMATE ITALIANO',                8.99,   7, 4, 'KG', false, 7.99),
  (402, 'BANANA NANICA',                  5.49,   5, 4, 'KG', false, 0),
  (403, 'MAÇÃ FUJI',                     11.90,  15, 4, 'KG', false, 12.40),
  (404, 'LIMÃO TAHITI',                   6.75,  10, 4, 'KG', NULL,  NULL),
  (405, 'ABÓBORA CABOTIÁ',                4.20,  20, 4, 'KG', false, 0),
  (406, 'ALFACE CRESPA',                  3.50,   3, 4, 'KU', false, 3.00),
  (407, 'MAMÃO FORMOSA',                  7.30,   6, 4, 'KG', true,  NULL),
  (501, 'AZEITONA VERDE A GRANEL',       38.00, 120, 5, 'KG', false, 39.50),
  (502, 'CASTANHA DO PARÁ',             119.90, 180, 5, 'KG', false, 0),
  (503, 'AMENDOIM TORRADO',              24.90,  90, 5, 'KG', false, NULL),
  (504, 'GRANOLA TRADICIONAL',           29.90, 120, 5, 'KG', false, 31.90),
  (505, 'DOCE DE LEITE PASTOSO 400G',     9.99, 180, 5, 'KU', false, 0),
  -- Left out by the product query: unit in lower case, another unit, no group.
  (901, 'ARROZ 5KG (unidade minúscula)', 27.90, 365, 5, 'kg', false, 0),
  (902, 'REFRIGERANTE 2L (unidade UN)',   9.49, 180, 5, 'UN', false, 0),
  (903, 'PRODUTO SEM GRUPO',              1.00,   1, 99, 'KG', false, 0);
SELECT setval('produto_codproduto_seq', 1000);
