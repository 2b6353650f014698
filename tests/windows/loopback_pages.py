"""Loopback HTTP pages for the tests that run the Windows programs under Wine.

start(examples) serves, on 127.0.0.1 and a free port:
  /list-page.html  examples/list-page.html, declared UTF-8
  /gbk.html        the same list in GBK, declared so in the page only
  /moved           a redirect to /list-page.html
  /stall           headers and a first piece, then silence for 4 s
  /long-titles.html three links whose titles share their first 40 characters
  /backslash.html  relative addresses written with "\\" and with characters beyond ASCII
and returns (server, base address); server.shutdown() stops it.
"""
import http.server
import os
import threading
import time


class _Handler(http.server.BaseHTTPRequestHandler):
    sample = b""
    gbk_page = b""

    def log_message(self, *args):
        pass

    def send_page(self, body, content_type="text/html"):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        if self.path == "/list-page.html":
            self.send_page(self.sample, "text/html; charset=utf-8")
        elif self.path == "/gbk.html":
            self.send_page(self.gbk_page)
        elif self.path in PAGES:
            self.send_page(PAGES[self.path].encode("utf-8"), "text/html; charset=utf-8")
        elif self.path == "/moved":
            self.send_response(302)
            self.send_header("Location", "/list-page.html")
            self.send_header("Content-Length", "0")
            self.end_headers()
        elif self.path == "/stall":
            # Headers and a first piece, then silence longer than the idle limit.
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"<ul>")
            self.wfile.flush()
            time.sleep(4)
        elif self.path == "/cut-off":
            # Headers that promise a body, then a closed connection before any of it.
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", "5000")
            self.end_headers()
            self.wfile.flush()
            self.close_connection = True
        else:
            self.send_error(404)


SHARED_TITLE = "关于二零二六年全市中小学春季学期开学工作安排及校园安全检查的通知附件一二三四五六七"


def _list_page(items):
    links = "".join('<li><a href="%s">%s</a></li>\n' % item for item in items)
    return ('<html><head><meta charset="utf-8"></head><body>\n<ul class="news">\n%s</ul>'
            '</body></html>' % links)


PAGES = {
    "/long-titles.html": _list_page([("/news/%d.html" % n, SHARED_TITLE + tail)
                                     for n, tail in ((1, "第一部分"), (2, "第二部分"),
                                                     (3, "第三部分"))]),
    "/backslash.html": _list_page([("\\news\\1.html", "反斜杠"),
                                   ("news\\2.html", "相对反斜杠"),
                                   ("/新闻/3.html?名=值", "中文地址")]),
}


def start(examples):
    sample = open(os.path.join(examples, "list-page.html"), "rb").read()

    class Handler(_Handler):
        pass

    Handler.sample = sample
    Handler.gbk_page = (
        sample.decode("utf-8")
        .replace('<meta charset="utf-8">', '<meta charset="gbk">')
        .encode("gbk")
    )
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, "http://127.0.0.1:%d" % server.server_address[1]


def windows_path(path):
    """A Linux path as a Windows program under Wine sees it: Wine's Z: drive is the root."""
    return "Z:" + path
