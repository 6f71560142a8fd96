#!/usr/bin/env node
// The table of `make fidelity`: for each page, what Zelmora shows against what the reference
// browser shows, and a side-by-side screenshot pair (Zelmora left, reference right).
//
//   node compare.mjs --pages PAGES.tsv --zelmora DIR --reference DIR --shots DIR
//                    [--report FILE.md]
//
// Words are the runs of letters and digits of the visible text, letter case ignored, counted
// with their repetitions: "words" is the share of the reference's words that Zelmora shows
// too, "extra" what Zelmora shows beyond them (as a share of the reference's count).
// Links, pictures, frames and form controls are counts, Zelmora/reference. "height" is
// Zelmora's layout height divided by the reference's (for a frame set, the sum over its
// documents); "Z ms" the time Zelmora took to load the page and lay it out in full.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

function parseArgs(argv) {
  const o = {};
  const names = { '--pages': 'pages', '--zelmora': 'zelmora', '--reference': 'reference',
    '--shots': 'shots', '--report': 'report' };
  for (let i = 2; i < argv.length; i += 2) {
    const key = names[argv[i]];
    if (!key || i + 1 >= argv.length) throw new Error(`unknown or incomplete option ${argv[i]}`);
    o[key] = argv[i + 1];
  }
  for (const k of ['pages', 'zelmora', 'reference', 'shots']) {
    if (!o[k]) throw new Error(`--${k} is required`);
  }
  return o;
}

export function words(text) {
  const counts = new Map();
  for (const w of (text || '').toLowerCase().match(/[\p{L}\p{N}]+/gu) || []) {
    counts.set(w, (counts.get(w) || 0) + 1);
  }
  return counts;
}

// Shared and extra words: the multiset intersection and what Zelmora has beyond it.
export function wordShare(zelmoraText, referenceText) {
  const z = words(zelmoraText);
  const r = words(referenceText);
  let total = 0;
  let shared = 0;
  let zelmoraTotal = 0;
  for (const n of r.values()) total += n;
  for (const [w, n] of z) {
    zelmoraTotal += n;
    shared += Math.min(n, r.get(w) || 0);
  }
  const missing = [...r].filter(([w, n]) => (z.get(w) || 0) < n).map(([w]) => w);
  return { total, shared, extra: zelmoraTotal - shared, missing };
}

function readJson(file) {
  try {
    return JSON.parse(readFileSync(file, 'utf8'));
  } catch {
    return null;
  }
}

// Why Zelmora's side has no result: its exit status as run.sh kept it.
function zelmoraFailure(dir, id, json) {
  if (json && json.ok === false) return `not loaded: ${json.error}`;
  let status = null;
  try {
    status = Number(readFileSync(join(dir, `${id}.status`), 'utf8').trim());
  } catch {
    return 'not run';
  }
  if (status === 124 || status === 137) return 'timed out';
  if (status > 128) return `crashed (signal ${status - 128})`;
  return `failed (exit status ${status})`;
}

function sideBySide(left, right, out) {
  if (!existsSync(left) || !existsSync(right)) return false;
  const r = spawnSync('convert', [left, '(', '-size', '8x1', 'xc:#808080', ')', right,
    '-background', '#808080', '+append', out], { stdio: ['ignore', 'ignore', 'pipe'] });
  return r.status === 0;
}

const pct = (a, b) => (b === 0 ? (a === 0 ? '100' : '-') : ((100 * a) / b).toFixed(a === b ? 0 : 1));
const pair = (z, r) => `${z}/${r}${z < r ? ' !' : ''}`;

function main() {
  const o = parseArgs(process.argv);
  mkdirSync(o.shots, { recursive: true });
  const pages = readFileSync(o.pages, 'utf8').split('\n').filter((l) => l.trim())
    .map((l) => l.split('\t'));
  const header = ['page', 'words %', 'extra %', 'links', 'pictures', 'frames', 'controls',
    'height', 'Z ms', 'px Z/R or failure'];
  const rows = [];
  const notes = [];
  let complete = 0;
  let compared = 0;
  for (const [id] of pages) {
    const z = readJson(join(o.zelmora, `${id}.json`));
    const r = readJson(join(o.reference, `${id}.json`));
    const problems = [];
    if (!z || !z.ok) problems.push(`zelmora ${zelmoraFailure(o.zelmora, id, z)}`);
    if (!r || !r.ok) problems.push(`reference ${r ? r.error : 'not run'}`);
    if (problems.length) {
      rows.push([id, '-', '-', '-', '-', '-', '-', '-', '-', problems.join('; ')]);
      continue;
    }
    compared += 1;
    const w = wordShare(z.text, r.text);
    const full = w.shared === w.total && z.links >= r.links && z.images >= r.images &&
      z.frames >= r.frames && z.controls >= r.controls;
    if (full) complete += 1;
    const remarks = [];
    if (w.missing.length) remarks.push(`missing: ${w.missing.slice(0, 6).join(' ')}${w.missing.length > 6 ? ' ...' : ''}`);
    if (z.messages && z.messages.length) remarks.push(`messages: ${z.messages.join(' | ')}`);
    if (r.failures && r.failures.length) remarks.push(`reference: ${r.failures.join(' | ')}`);
    if (z.scrolled > 0) remarks.push(`Zelmora shows a document scrolled ${z.scrolled} px down from its top`);
    const ratio = r.height > 0 ? (z.height / r.height).toFixed(2) : '-';
    rows.push([id, pct(w.shared, w.total), pct(w.extra, w.total), pair(z.links, r.links),
      pair(z.images, r.images), pair(z.frames, r.frames), pair(z.controls, r.controls), ratio,
      z.loadMs, `${z.height}/${r.height} px`]);
    if (remarks.length) notes.push(`- ${id}: ${remarks.join('; ')}`);
    sideBySide(join(o.zelmora, `${id}.png`), join(o.reference, `${id}.png`), join(o.shots, `${id}.png`));
  }

  const widths = header.map((h, i) => Math.max(h.length, ...rows.map((row) => String(row[i]).length)));
  const line = (cells) => `| ${cells.map((c, i) => String(c).padEnd(widths[i])).join(' | ')} |`;
  const table = [line(header), line(widths.map((n) => '-'.repeat(n))), ...rows.map(line)];
  const summary = `${pages.length} pages, ${compared} compared, ${complete} with all of the reference's ` +
    'words, links, pictures, frames and controls (Zelmora/reference; "!" marks fewer). ' +
    `Screenshot pairs (Zelmora left, reference right): ${o.shots}`;
  const text = [...table, '', summary, ...(notes.length ? ['', ...notes] : [])].join('\n');
  process.stdout.write(`${text}\n`);
  if (o.report) writeFileSync(o.report, `# Fidelity against the reference browser\n\n${text}\n`);
}

main();
