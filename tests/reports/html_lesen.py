#!/usr/bin/python3
"""Reads an HTML report page as a browser would: the encoding from its META
line, then the title, heading, table head, rows, links and paragraphs, as JSON."""
import json
import re
import sys
from html.parser import HTMLParser


class Seite(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.titel = ""
        self.ueberschrift = ""
        self.kopf = []
        self.zeilen = []
        self.links = []
        self.fett = []
        self._in = None
        self._zeile = None
        self._text = ""

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self._zeile = []
        elif tag in ("title", "h1", "th", "b") or (tag == "td" and self._zeile is not None):
            self._in = tag
            self._text = ""
        elif tag == "a":
            self.links.append(dict(attrs).get("href"))

    def handle_endtag(self, tag):
        if tag == "tr":
            if self._zeile:
                self.zeilen.append(self._zeile)
            self._zeile = None
        elif tag == self._in:
            if tag == "title":
                self.titel = self._text
            elif tag == "h1":
                self.ueberschrift = self._text
            elif tag == "th":
                self.kopf.append(self._text)
            elif tag == "td":
                self._zeile.append(self._text)
            elif tag == "b":
                self.fett.append(self._text)
            self._in = None

    def handle_data(self, data):
        if self._in:
            self._text += data


roh = open(sys.argv[1], "rb").read()
kodierung = re.search(rb"charset=([\w-]+)", roh).group(1).decode()
seite = Seite()
seite.feed(roh.decode(kodierung))
seite.close()
json.dump({"kodierung": kodierung, "titel": seite.titel, "ueberschrift": seite.ueberschrift, "kopf": seite.kopf,
           "zeilen": seite.zeilen, "links": seite.links, "fett": seite.fett}, sys.stdout)
