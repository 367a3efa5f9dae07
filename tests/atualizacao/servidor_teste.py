#!/usr/bin/env python3
"""Loopback HTTP server for the updater's tests.

Usage: servidor_teste.py RAIZ
Listens on 127.0.0.1 on a free port and prints the port on the first line.
Every request is appended to RAIZ/registro.txt (method, path, Cache-Control,
Authorization). Routes:
  /getversao?projeto=P   basic auth vandrel/qetprun; RAIZ/versoes/P.json when
                         present, else the fixed answers below, else an echo
  /arquivos/NOME         RAIZ/arquivos/NOME with Content-Length
  /sem-tamanho/NOME      the same file without Content-Length (HEAD too)
  /lento/N?passos=K&pausa=MS   N bytes in K pieces with a pause between them
  /cai/N                 announces N bytes, sends half, drops the connection
  anything else          404 with an HTML page
"""
import base64
import http.server
import os
import sys
import time
import urllib.parse

RAIZ = sys.argv[1]
AUTENTICACAO = 'Basic ' + base64.b64encode(b'vandrel:qetprun').decode()

RESPOSTAS = {
    'NaoExiste': (404, b'{"erro":"projeto desconhecido"}'),
    'Erro': (500, b'{"erro":"falha interna"}'),
    'Vazio': (200, b''),
    'NaoJson': (200, 'isto não é JSON'.encode()),
    'Numero': (200, b'42'),
    'Texto': (200, b'"OrbitraAtualizacao"'),
    'Maiuscula': (200, b'{"projeto":"Maiuscula","Versao":7,"url":"http://x/a.zip","nomeexe":"A.exe"}'),
    'Extra': (200, b'{"projeto":"Extra","versao":7,"url":"http://x/a.zip","nomeexe":"A.exe","canal":"beta"}'),
}


class Tratador(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def registra(self):
        with open(os.path.join(RAIZ, 'registro.txt'), 'a', encoding='utf-8') as f:
            f.write('%s %s cache=%s auth=%s\n' % (
                self.command, self.path, self.headers.get('Cache-Control', ''),
                self.headers.get('Authorization', '')))

    def cabecalhos(self, status, tamanho=None, tipo='application/octet-stream'):
        self.send_response(status)
        self.send_header('Content-Type', tipo)
        if tamanho is None:
            self.send_header('Connection', 'close')
            self.close_connection = True
        else:
            self.send_header('Content-Length', str(tamanho))
        self.end_headers()

    def responde(self, status, corpo, tipo='application/json', com_tamanho=True):
        self.cabecalhos(status, len(corpo) if com_tamanho else None, tipo)
        if self.command != 'HEAD':
            self.wfile.write(corpo)

    def do_HEAD(self):
        self.do_GET()

    def do_GET(self):
        self.registra()
        url = urllib.parse.urlsplit(self.path)
        consulta = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        caminho = urllib.parse.unquote(url.path)
        if caminho == '/getversao':
            return self.versao(consulta)
        for prefixo, com_tamanho in (('/arquivos/', True), ('/sem-tamanho/', False)):
            if caminho.startswith(prefixo):
                arquivo = os.path.join(RAIZ, 'arquivos', os.path.basename(caminho))
                if os.path.isfile(arquivo):
                    with open(arquivo, 'rb') as f:
                        return self.responde(200, f.read(), 'application/zip', com_tamanho)
        if caminho.startswith('/lento/'):
            return self.lento(int(caminho.split('/')[2]), consulta)
        if caminho.startswith('/cai/'):
            total = int(caminho.split('/')[2])
            self.cabecalhos(200, total)
            if self.command != 'HEAD':
                self.wfile.write(b'x' * (total // 2))
                self.wfile.flush()
                self.close_connection = True
                self.connection.shutdown(2)
            return None
        return self.responde(404, b'<html><body>pagina nao encontrada</body></html>', 'text/html')

    def lento(self, total, consulta):
        passos = int(consulta.get('passos', ['4'])[0])
        pausa = int(consulta.get('pausa', ['100'])[0]) / 1000.0
        self.cabecalhos(200, total)
        if self.command == 'HEAD':
            return
        enviado = 0
        for i in range(passos):
            pedaco = total * (i + 1) // passos - enviado
            self.wfile.write(b'y' * pedaco)
            self.wfile.flush()
            enviado += pedaco
            if i + 1 < passos:
                time.sleep(pausa)

    def versao(self, consulta):
        if self.headers.get('Authorization') != AUTENTICACAO:
            self.send_response(401)
            self.send_header('WWW-Authenticate', 'Basic realm="versoes"')
            self.send_header('Content-Length', '0')
            self.end_headers()
            return
        projeto = consulta.get('projeto', [None])[0]
        arquivo = os.path.join(RAIZ, 'versoes', '%s.json' % projeto)
        if projeto and '/' not in projeto and os.path.isfile(arquivo):
            with open(arquivo, 'rb') as f:
                return self.responde(200, f.read())
        if projeto in RESPOSTAS:
            return self.responde(*RESPOSTAS[projeto])
        eco = '{"projeto":%s,"versao":7,"url":"http://x/a.zip","nomeexe":"A.exe"}' % (
            '"<ausente>"' if projeto is None else
            __import__('json').dumps(projeto, ensure_ascii=False))
        return self.responde(200, eco.encode())


def main():
    servidor = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Tratador)
    servidor.daemon_threads = True
    print(servidor.server_address[1], flush=True)
    servidor.serve_forever()


if __name__ == '__main__':
    main()
