(* A small JSON value type with a printer and a hand-written reader. *)

type t =
  | Null
  | Bool of bool
  | Number of float
  | String of string
  | Array of t list
  | Object of (string * t) list

exception Parse_error of string * int

let escape s =
  let b = Buffer.create (String.length s + 2) in
  String.iter
    (function
      | '"' -> Buffer.add_string b "\\\""
      | '\\' -> Buffer.add_string b "\\\\"
      | '\n' -> Buffer.add_string b "\\n"
      | c -> Buffer.add_char b c)
    s;
  Buffer.contents b

let rec to_string = function
  | Null -> "null"
  | Bool b -> string_of_bool b
  | Number f -> if Float.is_integer f then Printf.sprintf "%.0f" f else string_of_float f
  | String s -> "\"" ^ escape s ^ "\""
  | Array items -> "[" ^ String.concat "," (List.map to_string items) ^ "]"
  | Object fields ->
      let field (k, v) = "\"" ^ escape k ^ "\":" ^ to_string v in
      "{" ^ String.concat "," (List.map field fields) ^ "}"

let parse text =
  let pos = ref 0 in
  let len = String.length text in
  let fail msg = raise (Parse_error (msg, !pos)) in
  let peek () = if !pos < len then Some text.[!pos] else None in
  let rec skip () =
    match peek () with
    | Some (' ' | '\t' | '\n' | '\r') -> incr pos; skip ()
    | _ -> ()
  in
  let expect c =
    skip ();
    if peek () = Some c then incr pos else fail (Printf.sprintf "expected '%c'" c)
  in
  let literal word value =
    if !pos + String.length word <= len && String.sub text !pos (String.length word) = word then (
      pos := !pos + String.length word;
      value)
    else fail ("expected " ^ word)
  in
  let read_string () =
    expect '"';
    let b = Buffer.create 16 in
    let rec loop () =
      match peek () with
      | None -> fail "unterminated string"
      | Some '"' -> incr pos
      | Some '\\' when !pos + 1 < len ->
          Buffer.add_char b (match text.[!pos + 1] with 'n' -> '\n' | 't' -> '\t' | c -> c);
          pos := !pos + 2;
          loop ()
      | Some c -> Buffer.add_char b c; incr pos; loop ()
    in
    loop ();
    Buffer.contents b
  in
  let rec value () =
    skip ();
    match peek () with
    | Some '{' -> incr pos; Object (members [])
    | Some '[' -> incr pos; Array (elements [])
    | Some '"' -> String (read_string ())
    | Some 't' -> literal "true" (Bool true)
    | Some 'f' -> literal "false" (Bool false)
    | Some 'n' -> literal "null" Null
    | Some _ ->
        let start = !pos in
        while !pos < len && String.contains "+-.eE0123456789" text.[!pos] do incr pos done;
        (match float_of_string_opt (String.sub text start (!pos - start)) with
         | Some f -> Number f
         | None -> fail "bad number")
    | None -> fail "unexpected end"
  and elements acc =
    skip ();
    if peek () = Some ']' then (incr pos; List.rev acc)
    else
      let v = value () in
      skip ();
      if peek () = Some ',' then (incr pos; elements (v :: acc)) else (expect ']'; List.rev (v :: acc))
  and members acc =
    skip ();
    if peek () = Some '}' then (incr pos; List.rev acc)
    else
      let k = read_string () in
      expect ':';
      let v = value () in
      skip ();
      if peek () = Some ',' then (incr pos; members ((k, v) :: acc)) else (expect '}'; List.rev ((k, v) :: acc))
  in
  let v = value () in
  skip ();
  if !pos <> len then fail "trailing characters";
  v
