// Runs every browser scenario against the site named by AMBRY_TEST_URL; exits non-zero on any failure.
const { run } = require('./lib/harness');
require('./site_scenarios');
require('./member_scenarios');
require('./staff_scenarios');
require('./panel_scenarios');
require('./access_scenarios');

run().then((ok) => process.exit(ok ? 0 : 1), (e) => { console.error(e); process.exit(1); });
