#include "app/gui/live_board_page.h"

namespace tallimo::app {
namespace {

// Texts from the snapshot reach the page through textContent only, never as
// markup, so a driver's name cannot inject anything into the page.
const char kPage[] = R"page(<!DOCTYPE html>
<html lang="fr">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tallimo Pistara</title>
<style>
:root { color-scheme: dark; }
* { box-sizing: border-box; }
html, body { margin: 0; background: #0b0d12; color: #f2f2f2;
  font-family: "DejaVu Sans", "Segoe UI", Arial, Helvetica, sans-serif; }
body { font-size: clamp(15px, 2.4vw, 44px); line-height: 1.2; }
header { display: flex; flex-wrap: wrap; align-items: baseline; justify-content: space-between;
  gap: 0.2em 1em; padding: 0.4em 0.6em; background: #161a22; border-bottom: 2px solid #2a3140; }
h1 { margin: 0; font-size: 1.15em; letter-spacing: 0.02em; }
#track { color: #9fb0c8; font-weight: normal; margin-left: 0.4em; }
#clock { font-variant-numeric: tabular-nums; font-weight: bold; font-size: 1.4em; }
#remaining { color: #ffd84d; margin-left: 0.5em; }
#state { font-size: 0.6em; padding: 0.1em 0.5em; border-radius: 0.3em; margin-left: 0.6em;
  vertical-align: middle; }
#state.running { background: #0a7d2c; } #state.paused { background: #a11a1a; }
#best { width: 100%; font-size: 0.8em; color: #d9b8ff; }
#link { font-size: 0.55em; color: #c66; }
table { width: 100%; border-collapse: collapse; font-variant-numeric: tabular-nums; }
th { font-size: 0.55em; text-transform: uppercase; color: #8b96a8; text-align: left;
  padding: 0.3em 0.4em; }
td { padding: 0.18em 0.4em; border-bottom: 1px solid #222836; white-space: nowrap; }
td.num, th.num { text-align: right; }
td.pos { width: 2.2em; text-align: right; color: #8b96a8; }
td.kart { font-weight: bold; border-left: 0.45em solid transparent; }
td.driver { overflow: hidden; text-overflow: ellipsis; max-width: 40vw; }
tr.cat td { padding-top: 0.5em; font-size: 0.6em; font-weight: bold; color: #0b0d12;
  border-bottom: none; }
tr.finished td { color: #7d8696; }
tr.lap td { color: #ff5a4d; }
tr.daybest td { background: #3b2a5c; color: #fff; }
tr.daybest td.best { color: #e7c7ff; font-weight: bold; }
#empty { padding: 2em 0.6em; color: #8b96a8; }
@media (max-width: 700px) {
  body { font-size: 14px; }
  header { padding: 0.4em; }
  th, td { padding-left: 0.2em; padding-right: 0.2em; }
  td.pos { width: 1.6em; }
  td.kart { border-left-width: 0.3em; }
  td.driver { white-space: normal; max-width: none; }
}
@media (max-width: 340px) {
  .wide { display: none; }
}
</style>
</head>
<body>
<header>
  <h1>Tallimo Pistara<span id="track"></span></h1>
  <div><span id="clock">-:--:--</span><span id="remaining"></span><span id="state"></span></div>
  <div id="best"></div>
  <div id="link"></div>
</header>
<table>
  <thead><tr><th class="num">#</th><th>Kart</th><th>Pilote</th><th class="num">Tours</th>
  <th class="num">Dernier</th><th class="num">Meilleur</th><th class="num wide">Reste</th></tr></thead>
  <tbody id="rows"></tbody>
</table>
<div id="empty">En attente des chronos&hellip;</div>
<script>
"use strict";
function lapText(ms) {
  if (!ms) return "";
  var m = Math.floor(ms / 60000), s = Math.floor(ms / 1000) % 60, r = ms % 1000;
  return m + ":" + (s < 10 ? "0" : "") + s + "." + ("00" + r).slice(-3);
}
function remainingText(seconds) {
  var m = Math.floor(seconds / 60), s = seconds % 60;
  return m + ":" + (s < 10 ? "0" : "") + s;
}
function cell(row, text, cls) {
  var td = document.createElement("td");
  td.textContent = text;
  if (cls) td.className = cls;
  row.appendChild(td);
  return td;
}
function show(board) {
  document.getElementById("track").textContent = board.title ? " \u2013 " + board.title : "";
  document.getElementById("clock").textContent = board.elapsed || "";
  document.getElementById("remaining").textContent = board.remaining ? " / " + board.remaining : "";
  var state = document.getElementById("state");
  state.textContent = board.clockRunning ? "En cours" : "En pause";
  state.className = board.clockRunning ? "running" : "paused";
  var best = board.dayBestLapMs ? "Meilleur tour du jour : " + lapText(board.dayBestLapMs) : "";
  if (best && board.dayBestDriver)
    best += " \u2013 " + board.dayBestDriver + (board.dayBestKart ? " (" + board.dayBestKart + ")" : "");
  document.getElementById("best").textContent = best;
  var body = document.createElement("tbody");
  body.id = "rows";
  var category = -1, position = 0;
  (board.karts || []).forEach(function (kart) {
    if (kart.categoryIndex !== category) {
      category = kart.categoryIndex;
      position = 0;
      var heading = document.createElement("tr");
      heading.className = "cat";
      var td = cell(heading, kart.category || "");
      td.colSpan = 7;
      td.style.background = kart.colour;
      body.appendChild(heading);
    }
    var row = document.createElement("tr");
    row.className = (kart.finished ? "finished " : "") + (kart.newLap ? "lap " : "") +
                    (kart.dayBest ? "daybest" : "");
    cell(row, String(++position), "pos");
    cell(row, kart.kart, "kart").style.borderLeftColor = kart.colour;
    cell(row, kart.driver, "driver");
    cell(row, String(kart.laps), "num");
    cell(row, lapText(kart.lastLapMs), "num");
    cell(row, lapText(kart.bestLapMs), "num best");
    cell(row, kart.finished ? "Fini" : remainingText(kart.remainingSeconds), "num wide");
    body.appendChild(row);
  });
  document.getElementById("rows").replaceWith(body);
  document.getElementById("empty").style.display = body.rows.length ? "none" : "block";
}
function connect() {
  var source = new EventSource("/events");
  source.onopen = function () { document.getElementById("link").textContent = ""; };
  source.onmessage = function (event) {
    try { show(JSON.parse(event.data)); } catch (e) { }
  };
  source.onerror = function () {
    document.getElementById("link").textContent = "Connexion perdue, reconnexion\u2026";
    // The browser retries by itself while the stream is only interrupted;
    // once it gives up (closed), start a fresh one.
    if (source.readyState === EventSource.CLOSED)
      setTimeout(connect, 2000);
  };
}
connect();
</script>
</body>
</html>
)page";

} // namespace

QByteArray LiveBoardPage() {
    return QByteArray::fromRawData(kPage, static_cast<qsizetype>(sizeof kPage - 1));
}

} // namespace tallimo::app
