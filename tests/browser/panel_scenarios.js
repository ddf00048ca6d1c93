// Control panel scenarios: a restore point made, listed, chosen and restored; a schedule saved and
// shown.
const fs = require('node:fs');
const { test, url, screenshot, navigation, assert } = require('./lib/harness');

test('staff make a restore point, see it listed and chosen, and restore it', async (s) => {
  const page = await s.page();
  await page.goto(url('control_panel.exe'));
  const before = await page.$$eval('#restore_file option', (o) => o.map((x) => x.value));
  await navigation(page, () => page.click('input[type=submit][value="Backup database"]'));
  assert.equal(await s.dialog(0), 'Backup successfully completed.');
  const names = await page.$$eval('#restore_file option', (o) => o.map((x) => x.value));
  assert.equal(names.length, before.length + 1);
  assert.ok(names.every((n) => n.includes('.bak')), names.join(' '));
  assert.equal(await page.isDisabled('#restore_file'), false);
  const dir = process.env.AMBRY_TEST_BACKUP_DIR;
  for (const n of names) assert.ok(fs.statSync(`${dir}/${n}`).size > 1000, `${n} holds a dump`);
  await screenshot(page, 'control_panel');
  // The list opens on the point just made, and the confirmation names it.
  const made = names.find((n) => !before.includes(n));
  assert.equal(await page.inputValue('#restore_file'), made);
  await navigation(page, () => page.click('input[type=button][value="Restore backup"]'));
  assert.ok((await s.dialog(1)).endsWith(`will be lost.\n\nRestore point that will replace the database: ${made}`),
    s.dialogs[1]);
  assert.equal(await s.dialog(2), 'Restore successfully completed.');
  const shown = await page.$$eval('#restore_file option', (o) => o.map((x) => x.textContent));
  assert.ok(shown.some((t) => t.endsWith('-safety.bak (safety point)')), shown.join(' '));
  assert.equal(await page.inputValue('#restore_file'), made, 'not the newer safety point');
});

test('staff save the backup schedule and see it selected', async (s) => {
  const page = await s.page();
  await page.goto(url('control_panel.exe'));
  await page.check('input[name=schedule_type][value="2"]');
  await page.selectOption('select[name=tod_hour]', '14');
  await page.selectOption('select[name=tod_min]', '30');
  await page.selectOption('select[name=tod_sec]', '5');
  await navigation(page, () => page.click('input[type=submit][value="Update settings"]'));
  assert.equal(await s.dialog(0), 'The settings were sucessfully updated.');
  await page.goto(url('control_panel.exe'));
  assert.equal(await page.isChecked('input[name=schedule_type][value="2"]'), true);
  assert.equal(await page.isChecked('input[name=schedule_type][value="0"]'), false);
  assert.equal(await page.inputValue('select[name=tod_hour]'), '14');
  assert.equal(await page.inputValue('select[name=tod_min]'), '30');
  assert.equal(await page.inputValue('select[name=tod_sec]'), '5');
});
