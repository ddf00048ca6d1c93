// Helpers for driving the staff entry editors: fields of the entry form, buttons, result rows.
const { navigation } = require('./harness');

const field = (name) => `form[name=entryForm] [name="${name}"]`;

async function fieldValue(page, name) { return page.inputValue(field(name)); }

async function fill(page, values) {
  for (const [name, value] of Object.entries(values)) {
    if (name === '_condition') await page.selectOption(field(name), String(value));
    else await page.fill(field(name), String(value));
  }
}

// Presses a button that posts the form and waits for the answer page.
async function press(page, button) { await navigation(page, () => page.click(`#${button}`)); }

// In search mode: fills the example, searches, and opens the result row whose first cell is id.
async function findAndOpen(page, program, example, id) {
  await navigation(page, () => page.click('#btnSearchMode'));
  if (!/[?&]search=1/.test(page.url())) throw new Error(`not in search mode: ${page.url()}`);
  await fill(page, example);
  await press(page, 'btnSearch');
  const rows = await page.$$('tr[onmousedown]');
  for (const row of rows) {
    const first = await row.$eval('td', (td) => td.textContent.trim());
    if (first === String(id)) {
      await navigation(page, () => row.dispatchEvent('mousedown'));
      return rows.length;
    }
  }
  throw new Error(`entry ${id} not among ${rows.length} results of ${program}`);
}

module.exports = { field, fieldValue, fill, press, findAndOpen };
