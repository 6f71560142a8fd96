// Runs inside the reference browser, once in every document of a page (the page itself and
// each frame's), and returns what a reader is shown of that document. The rules match the
// Zelmora side (tools/fidelity/TPageMeasure): text of rendered text nodes outside form
// controls, scripts and styles, with a line break between blocks; links with an href that
// take room on screen (and the areas of image maps that a shown picture uses); pictures
// and form controls that are rendered; FRAME and IFRAME elements; the height the content
// takes, body margins included.
(() => {
  const doc = document;
  const body = doc.body;
  const result = { frameset: false, text: '', links: 0, images: 0, controls: 0, frames: 0, height: 0 };
  result.frames = doc.querySelectorAll('frame, iframe').length;
  if (!body) return result;
  if (body.tagName === 'FRAMESET') {
    result.frameset = true;
    return result;
  }

  const skipped = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEXTAREA', 'SELECT', 'OPTION',
    'OPTGROUP', 'BUTTON', 'TEMPLATE', 'TITLE', 'IFRAME', 'OBJECT', 'NOFRAMES', 'DATALIST']);
  const breaking = new Set(['BR', 'IMG', 'INPUT', 'HR', 'WBR']);
  const styles = new Map();
  const style = (el) => {
    let s = styles.get(el);
    if (!s) {
      s = getComputedStyle(el);
      styles.set(el, s);
    }
    return s;
  };
  const inline = (el) => {
    const d = style(el).display;
    return d === 'inline' || d === 'contents';
  };
  const blockOf = (el) => {
    while (el && el !== body && inline(el)) el = el.parentElement;
    return el;
  };
  const range = doc.createRange();
  const hasRoom = (node) => {
    range.selectNodeContents(node);
    const r = range.getBoundingClientRect();
    return r.width > 0 || r.height > 0;
  };
  const isRendered = (el) => el.getClientRects().length > 0 && style(el).visibility !== 'hidden';

  const parts = [];
  let lastBlock = null;
  const walker = doc.createTreeWalker(body, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode(n) {
      if (n.nodeType === Node.ELEMENT_NODE && skipped.has(n.tagName)) return NodeFilter.FILTER_REJECT;
      return NodeFilter.FILTER_ACCEPT;
    },
  });
  for (let n = walker.nextNode(); n; n = walker.nextNode()) {
    if (n.nodeType === Node.ELEMENT_NODE) {
      if (breaking.has(n.tagName)) parts.push('\n');
      continue;
    }
    if (!/\S/.test(n.data)) {
      parts.push(' '); // blanks between two elements still part their words
      continue;
    }
    const parent = n.parentElement;
    if (!parent || style(parent).visibility === 'hidden') continue;
    range.selectNodeContents(n);
    if (range.getClientRects().length === 0) continue;
    const block = blockOf(parent);
    if (block !== lastBlock) parts.push('\n');
    lastBlock = block;
    parts.push(n.data);
  }
  result.text = parts.join('');

  const maps = new Set();
  for (const img of doc.querySelectorAll('img')) {
    if (!isRendered(img)) continue;
    result.images += 1;
    const use = (img.getAttribute('usemap') || '').replace(/^#/, '').toLowerCase();
    if (use) {
      for (const map of doc.querySelectorAll('map')) {
        if ((map.getAttribute('name') || map.id || '').toLowerCase() === use) maps.add(map);
      }
    }
  }
  for (const a of doc.querySelectorAll('a[href]')) {
    if (style(a).visibility !== 'hidden' && hasRoom(a)) result.links += 1;
  }
  for (const map of maps) result.links += map.querySelectorAll('area[href]').length;
  for (const c of doc.querySelectorAll('input, select, textarea, button')) {
    if ((c.getAttribute('type') || '').toLowerCase() === 'hidden') continue;
    if (isRendered(c)) result.controls += 1;
  }

  range.selectNodeContents(body);
  const content = range.getBoundingClientRect();
  const margins = parseFloat(style(body).marginBottom) || 0;
  const top = parseFloat(style(body).marginTop) || 0;
  result.height = Math.ceil(content.height > 0 || content.width > 0
    ? content.bottom + window.scrollY + margins
    : top + margins);
  return result;
})()
