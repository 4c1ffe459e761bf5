// What `rxtheme export` writes, read by clients written elsewhere:
//   - css-tree parses theme.css without an error, and a hostile theme's
//     values add no rule and no declaration outside the custom properties;
//   - headless Chromium opens a page of plain elements with theme.css and
//     computes the theme's colors and fonts for body, h1 and links in every
//     variant, and every custom property holds the theme's value;
//   - the block-theme global-styles engine turns theme.json (and the vivid
//     variation merged into it) into CSS that gives body, links and headings
//     the theme's colors, without a warning;
//   - Style Dictionary builds tokens.json with warnings made errors.
// The expected values come from `rxtheme load --json`, not from the export.
//
// usage: node export_checks.mjs RXTHEME THEME_FOLDER...
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { parse, walk } from 'css-tree';
import { chromium } from 'playwright-core';
import StyleDictionary from 'style-dictionary';

// The engine's ES build imports JSON without import attributes; its CommonJS
// build loads in Node as it is.
const { generateGlobalStyles, mergeGlobalStyles } = createRequire(import.meta.url)(
  '@wordpress/global-styles-engine',
);

const [rxtheme, ...themeFolders] = process.argv.slice(2);
let failures = 0;
let checks = 0;
function check(ok, what) {
  checks++;
  if (!ok) {
    failures++;
    console.log(`FAIL: ${what}`);
  }
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'rxtheme-web-'));
const run = (...args) => execFileSync(rxtheme, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'] });

// Every non-empty value of a load, keyed "--rx-SECTION-STYLE-PROPERTY".
const kebab = (name) => name.replace(/([a-z])([A-Z0-9])/g, '$1-$2').replace(/([0-9])([A-Z])/g, '$1-$2').toLowerCase();
function themeValues(loaded) {
  const values = new Map();
  for (const section of ['color', 'graph', 'base']) {
    for (const [style, properties] of Object.entries(loaded[section])) {
      for (const [property, value] of Object.entries(properties)) {
        if (typeof value === 'string' && value !== '') values.set(`--rx-${section}-${style}-${kebab(property)}`, { property, value });
      }
    }
  }
  return values;
}

// The names of a CSS font-family list, unquoted and unescaped.
function familyNames(css) {
  const names = [];
  const list = parse(`a{font-family:${css}}`, { context: 'stylesheet' });
  let current = [];
  walk(list, (node) => {
    if (node.type === 'String') current.push(node.value);
    else if (node.type === 'Identifier') current.push(node.name);
    else if (node.type === 'Operator' && node.value === ',') {
      names.push(current.join(' '));
      current = [];
    }
  });
  if (current.length) names.push(current.join(' '));
  return names;
}
// A theme's font value as the names a browser should see: comma-separated,
// each trimmed, one pair of quotes dropped.
function themeFamilyNames(value) {
  const items = [];
  let start = 0;
  let quote = '';
  for (let i = 0; i < value.length; i++) {
    const c = value[i];
    if (quote) {
      if (c === quote) quote = '';
    } else if (c === '"' || c === "'") quote = c;
    else if (c === ',') {
      items.push(value.slice(start, i));
      start = i + 1;
    }
  }
  items.push(value.slice(start));
  return items
    .map((item) => item.trim())
    .map((item) => (item.length >= 2 && (item[0] === '"' || item[0] === "'") && item.at(-1) === item[0] ? item.slice(1, -1).trim() : item))
    .filter((item) => item !== '');
}
const keywordOk = {
  FontWeight: (v) => /^(normal|bold|bolder|lighter)$/i.test(v.trim()) || (/^\d{1,4}$/.test(v.trim()) && +v >= 1 && +v <= 1000),
  TextAlign: (v) => /^(left|right|center|justify|start|end)$/i.test(v.trim()),
  VerticalAlign: (v) => /^(baseline|sub|super|text-top|text-bottom|middle|top|bottom)$/i.test(v.trim()),
};
// What a custom property should read for a theme value, compared loosely
// (letter case of colors and keywords, quoting of fonts); null: left out.
function expectedProperty({ property, value }) {
  if (property.includes('Color')) return /^#[0-9A-F]{6}$/i.test(value) ? { kind: 'color', value: value.toUpperCase() } : null;
  if (property === 'FontFamily') return { kind: 'font', value: themeFamilyNames(value) };
  if (keywordOk[property]) return keywordOk[property](value) ? { kind: 'keyword', value: value.trim().toLowerCase() } : null;
  return { kind: 'picture', value };
}
function propertyMatches(expected, actual) {
  actual = actual.trim();
  switch (expected.kind) {
    case 'color':
      return actual.toUpperCase() === expected.value;
    case 'keyword':
      return actual.toLowerCase() === expected.value;
    case 'font':
      return JSON.stringify(familyNames(actual)) === JSON.stringify(expected.value);
    case 'picture': {
      const m = /^url\(\s*"([^"]*)"\s*\)$/.exec(actual);
      return m !== null && decodeURIComponent(m[1]) === expected.value;
    }
  }
  return false;
}

// The colors computed on the page shown, against a load's: [what, element,
// computed property, style and property of the load].
const colorTargets = [
  ['body color', 'body', 'color', 'body', 'Color'],
  ['body background', 'body', 'backgroundColor', 'body', 'BackgroundColor'],
  ['h1 color', 'h1', 'color', 'h1', 'Color'],
  ['link color', 'a', 'color', 'link', 'Color'],
  ['h2 color', 'h2', 'color', 'h2', 'Color'],
];
const rgb = (hex) => `rgb(${parseInt(hex.slice(1, 3), 16)}, ${parseInt(hex.slice(3, 5), 16)}, ${parseInt(hex.slice(5, 7), 16)})`;
async function checkColors(label, loadedColors, targets) {
  const got = await page.evaluate((ts) => ts.map(([, el, prop]) => getComputedStyle(document.querySelector(el))[prop]), targets);
  for (const [i, [what, , , style, property]] of targets.entries()) {
    const hex = loadedColors[style][property];
    if (hex) check(rgb(hex) === got[i], `${label}: ${what} is ${rgb(hex)}, Chromium computes ${got[i]}`);
  }
}

const variants = [
  { colors: 'normal', graphics: 'normal', color: 0, graph: 0 },
  { colors: 'vivid', graphics: 'normal', color: 1, graph: 0 },
  { colors: 'normal', graphics: 'active', color: 0, graph: 1 },
  { colors: 'vivid', graphics: 'active', color: 1, graph: 1 },
];

// The selectors and declared properties of a sheet outside its custom
// properties: the same for every theme, whatever its values hold.
function sheetShape(ast) {
  const shape = [];
  walk(ast, {
    visit: 'Rule',
    enter(rule) {
      const props = [];
      walk(rule.block, { visit: 'Declaration', enter: (d) => props.push(d.property.startsWith('--rx-') ? '--rx-*' : d.property) });
      shape.push(`${rule.prelude.type === 'Raw' ? rule.prelude.value : ''}${JSON.stringify([...new Set(props)])}`);
    },
  });
  return shape;
}

const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--allow-file-access-from-files', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage();
const requests = [];
page.on('request', (r) => requests.push(r.url()));

let referenceShape = null;
for (const folder of themeFolders) {
  const name = path.basename(folder);
  const out = path.join(scratch, name);
  const work = path.join(scratch, `${name}-load`);
  const exported = spawnSync(rxtheme, ['export', folder, '-o', out], { encoding: 'utf8' });
  check(exported.status === 0, `${name}: export exits 0 (${exported.stderr.trim()})`);
  if (exported.status !== 0) continue;
  const warnings = exported.stderr;
  // The expected values: the package loaded and printed by the command.
  const pkg = path.join(scratch, `${name}.elm`);
  run('pack', folder, '-o', pkg, '--force');
  const loaded = variants.map((v) => JSON.parse(run('load', pkg, '--working-folder', work, '--json', '--color-index', `${v.color}`, '--graph-index', `${v.graph}`)));

  // --- css-tree
  const cssText = fs.readFileSync(path.join(out, 'theme.css'), 'utf8');
  const errors = [];
  const ast = parse(cssText, { positions: true, onParseError: (e) => errors.push(e.message) });
  check(errors.length === 0, `${name}: css-tree parses theme.css without errors (${errors.join('; ')})`);
  const shape = sheetShape(ast);
  if (referenceShape === null) referenceShape = shape;
  else check(JSON.stringify(shape) === JSON.stringify(referenceShape), `${name}: theme.css has the same rules and properties as the first theme's (${shape.filter((s) => !referenceShape.includes(s)).join(' | ')})`);

  // --- Chromium: a page of plain elements in each variant
  for (const [i, v] of variants.entries()) {
    const pageFile = path.join(out, `plain-${v.colors}-${v.graphics}.html`);
    fs.writeFileSync(pageFile, `<!DOCTYPE html><html data-rx-colors="${v.colors}" data-rx-graphics="${v.graphics}"><head><link rel="stylesheet" href="theme.css"></head><body><h1>Heading</h1><p>Text <a href="#nowhere">link</a></p><ul><li>one</li></ul><hr></body></html>`);
    await page.goto(pathToFileURL(pageFile).href);
    const seen = await page.evaluate((names) => {
      const css = (el) => getComputedStyle(el);
      const body = css(document.body);
      const h1 = css(document.querySelector('h1'));
      const root = css(document.documentElement);
      const props = {};
      for (const n of names) props[n] = root.getPropertyValue(n);
      return {
        body: [body.fontFamily, body.display, body.visibility],
        h1: [h1.fontFamily],
        props,
        rules: [...document.styleSheets].reduce((n, s) => n + s.cssRules.length, 0),
      };
    }, [...themeValues(loaded[i]).keys()]);
    const want = loaded[i];
    const label = `${name} (${v.colors} colors, ${v.graphics} graphics)`;
    await checkColors(label, want.color, colorTargets.slice(0, 4));
    for (const [what, font, actual] of [['body', want.base.body.FontFamily, seen.body[0]], ['h1', want.base.h1.FontFamily, seen.h1[0]]]) {
      if (font) check(JSON.stringify(themeFamilyNames(font)) === JSON.stringify(familyNames(actual)), `${label}: ${what} font ${font}, Chromium computes ${actual}`);
    }
    check(seen.body[1] === 'block' && seen.body[2] === 'visible', `${label}: the body shows (display ${seen.body[1]}, visibility ${seen.body[2]})`);
    if (i === 0 && referenceShape === shape) referenceShape.rules = seen.rules;
    check(seen.rules === referenceShape.rules, `${label}: ${seen.rules} CSS rules, as many as the first theme's ${referenceShape.rules}`);
    for (const [prop, theme] of themeValues(want)) {
      const expected = expectedProperty(theme);
      const actual = seen.props[prop];
      if (expected === null) {
        check(actual.trim() === '', `${label}: ${prop} (${JSON.stringify(theme.value)}) is left out, Chromium reads ${JSON.stringify(actual)}`);
        check(warnings.includes(prop.slice(2)), `${label}: export warns that it leaves out ${prop}`);
      } else {
        check(propertyMatches(expected, actual), `${label}: ${prop} is ${JSON.stringify(theme.value)}, Chromium reads ${JSON.stringify(actual)}`);
      }
    }
  }

  // --- the sample pages: the title is text, no script, nothing from the network
  const info = fs.readFileSync(path.join(folder, `${name}.inf`), 'utf8').match(/^title=(.*)$/m);
  for (const file of ['index.html', 'normal.html', 'vivid.html', 'active.html', 'vivid-active.html']) {
    await page.goto(pathToFileURL(path.join(out, file)).href);
    const shown = await page.evaluate(() => ({ scripts: document.scripts.length, title: document.title, h1: document.querySelector('h1').textContent }));
    check(shown.scripts === 0, `${name}/${file}: no script element (${shown.scripts})`);
    check(shown.title.startsWith(`${info[1]} \u2014 `), `${name}/${file}: the title reads ${JSON.stringify(info[1])} (${JSON.stringify(shown.title)})`);
    check(shown.h1 === 'Heading 1', `${name}/${file}: the first heading is the preview's`);
  }

  // --- the global-styles engine
  const asTheme = (config) => {
    const copy = structuredClone(config);
    if (copy.settings?.color?.palette) copy.settings.color.palette = { theme: copy.settings.color.palette };
    return copy;
  };
  const [themeJson, vivid, active] = ['theme.json', 'styles/vivid-colors.json', 'styles/active-graphics.json'].map((file) => JSON.parse(fs.readFileSync(path.join(out, file), 'utf8')));
  check(themeJson.version === 3 && vivid.title && active.title, `${name}: theme.json is version 3 and the variations have titles`);
  const engineWarnings = [];
  const { warn, error } = console;
  console.warn = console.error = (...a) => engineWarnings.push(a.join(' '));
  let configs;
  try {
    // [the loaded variant its colors match, the styles of theme.json alone or merged with a variation]
    const merged = (variation) => (variation ? mergeGlobalStyles(asTheme(themeJson), asTheme(variation)) : asTheme(themeJson));
    configs = [[0, null], [1, vivid], [0, active]].map(([variant, variation]) => [variant, generateGlobalStyles(merged(variation), [], {})[0]]);
  } finally {
    console.warn = warn;
    console.error = error;
  }
  check(engineWarnings.length === 0, `${name}: the global-styles engine warns nothing (${engineWarnings.join('; ')})`);
  for (const [variant, styles] of configs) {
    const css = styles.map((s) => s.css).join('\n');
    await page.setContent(`<!DOCTYPE html><html><head><style>${css.replace(/<\//g, '<\\/')}</style></head><body><h1>Heading</h1><h2>Sub</h2><p><a href="#x">link</a></p></body></html>`);
    await checkColors(`${name}: theme.json${variant ? ' with vivid colors' : ''} through the engine`, loaded[variant].color, colorTargets);
  }

  // --- Style Dictionary: warnings are errors
  const sd = new StyleDictionary({
    source: [path.join(out, 'tokens.json')],
    log: { warnings: 'error', verbosity: 'silent' },
    platforms: { css: { transformGroup: 'css', buildPath: `${path.join(scratch, `${name}-sd`)}/`, files: [{ destination: 'tokens.css', format: 'css/variables' }] } },
  });
  let built = '';
  try {
    await sd.buildAllPlatforms();
    built = fs.readFileSync(path.join(scratch, `${name}-sd`, 'tokens.css'), 'utf8');
  } catch (e) {
    check(false, `${name}: Style Dictionary builds tokens.json (${e.message.split('\n')[0]})`);
  }
  if (built) {
    const body = loaded[0].color.body.BackgroundColor;
    if (body) check(built.toLowerCase().includes(`--color-body-background-color: ${body.toLowerCase()};`), `${name}: Style Dictionary's CSS holds the body background`);
    const sdErrors = [];
    parse(built, { onParseError: (e) => sdErrors.push(e.message) });
    check(sdErrors.length === 0, `${name}: the CSS Style Dictionary makes of tokens.json parses (${sdErrors.join('; ')})`);
  }
}

const remote = requests.filter((u) => !u.startsWith('file:') && !u.startsWith('about:') && !u.startsWith('data:'));
check(remote.length === 0, `no page asked the network for anything (${remote.join(' ')})`);
await browser.close();
fs.rmSync(scratch, { recursive: true, force: true });
console.log(`web checks: ${checks - failures} passed, ${failures} failed`);
process.exit(failures === 0 && checks > 0 ? 0 : 1);
