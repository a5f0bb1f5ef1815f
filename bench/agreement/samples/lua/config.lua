--[[
Reads a configuration written as Lua assignments in a sandbox, and
checks each value against a schema.
]]
local M = {}

local schema = {
  width = { type = "number", default = 800, min = 1 },
  height = { type = "number", default = 600, min = 1 },
  title = { type = "string", default = "untitled" },
  fullscreen = { type = "boolean", default = false },
}

local function check(name, value)
  local rule = schema[name]
  if rule == nil then
    return nil, string.format("unknown setting '%s'", name)
  end
  if type(value) ~= rule.type then
    return nil, ("%s must be a %s, not a %s"):format(name, rule.type, type(value))
  end
  if rule.min and value < rule.min then
    return nil, name .. " must be at least " .. rule.min
  end
  return value
end

function M.load(text, chunkname)
  local env = setmetatable({}, { __index = { math = math, string = string } })
  local chunk, err = load(text, chunkname or "=config", "t", env)
  if not chunk then
    return nil, err
  end
  local ok, runtime_err = pcall(chunk)
  if not ok then
    return nil, runtime_err
  end
  local result, problems = {}, {}
  for name, rule in pairs(schema) do
    local value = rawget(env, name)
    if value == nil then
      result[name] = rule.default
    else
      local checked, problem = check(name, value)
      if checked == nil then
        problems[#problems + 1] = problem
      else
        result[name] = checked
      end
    end
  end
  for name in pairs(env) do
    if schema[name] == nil then
      problems[#problems + 1] = "unknown setting '" .. tostring(name) .. "'"
    end
  end
  table.sort(problems)
  if #problems > 0 then
    return nil, table.concat(problems, "; ")
  end
  return result
end

-- A quick self-check when run directly.
if arg and arg[0] and arg[0]:match("config%.lua$") then
  local cfg, err = M.load([[
    width = 1024
    height = 0x300
    title = "demo \"window\""
  ]])
  assert(cfg, err)
  print(cfg.width, cfg.height, cfg.title, cfg.fullscreen, 1.5e2, -0.25)
  local bad, why = M.load("width = 'wide'; depth = 3")
  print(bad, why)
end

return M
